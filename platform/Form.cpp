#include "platform/Form.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/Cp1254.h"
#include "platform/FormInternals.h"
#include "platform/Gdi.h"
#include "platform/SystemReason.h"

namespace platform {

using namespace form_internals;

namespace {

void RegisterContainerClassOnce(WNDPROC procedure) {
    static const ATOM atom = [procedure] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kContainerClass;
        return RegisterClassExW(&wc);
    }();
    if (!atom) ThrowLastError("the container window class cannot be registered");
}

void InitCommonControlsOnce() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)done;
}

// The least room between two labels on one line: the closest the designed windows put two of them.
constexpr int kLabelGap = 3;

}  // namespace

void Form::Build(const FormSpec& form, std::span<const ControlSpec> controls, std::span<const TimerSpec> timers,
                 HWND owner) {
    BuildFrame(form, controls, timers, owner);
    BuildControls();
}

void Form::BuildFrame(const FormSpec& form, std::span<const ControlSpec> controls, std::span<const TimerSpec> timers,
                      HWND owner) {
    spec_ = &form;
    InitCommonControlsOnce();
    RegisterContainerClassOnce(&Form::ContainerProcedure);
    for (const TimerSpec& timer : timers) timers_.push_back({&timer});

    controls_.reserve(controls.size());
    for (const ControlSpec& control : controls) {
        const int parent = control.parent.empty() ? geometry::kRoot : ContainerIndex(control.parent);
        const FontSpec& parentFont = parent == geometry::kRoot ? form.baseFont : controls_[parent].fontSpec;
        const Color parentColor = parent == geometry::kRoot ? form.color : controls_[parent].color;
        const FontSpec fontSpec = control.font.IsInherited() ? parentFont : control.font;
        controls_.push_back({.spec = &control,
                             .parent = parent,
                             .bounds = control.bounds,
                             .placed = control.bounds,
                             .visible = control.visible,
                             .text = std::string(control.text),
                             .fontSpec = fontSpec,
                             .color = control.color.IsInherited() ? parentColor : control.color});
    }

    const geometry::Rect& b = form.bounds;
    Create(
        {form.className}, WidenCp1254(form.caption).c_str(),
        {.style = form.style, .exStyle = form.exStyle, .bounds = {b.left, b.top, b.width, b.height}, .owner = owner});
    FitToMonitor(static_cast<int>(GetDpiForWindow(Handle())));
}

void Form::BuildControls() {
    while (BuildControlsStep()) {}
}

bool Form::BuildControlsStep() {
    if (controlsBuilt_) return false;
    if (controlsMade_ < controls_.size()) {
        CreateControl(static_cast<int>(controlsMade_++));
        return true;
    }

    PutInTabOrder();
    controlsBuilt_ = true;
    Relayout();
    return false;
}

void Form::CreateControl(int index) {
    ControlRecord& control = controls_[index];
    const ControlKindBehaviour& kind = BehaviourOf(control.spec->kind);
    control.font = fonts_.Get(control.fontSpec, dpi_);
    kind.Make(control, ContainerHandle(control.parent), kFirstControlId + index);
    if (kind.IsContainer()) SetWindowLongPtrW(control.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (kind.TakesInput()) {
        // The form's procedure goes in front of the control's by hand: the common controls' subclassing looks its
        // chain up in a window property at every message, which under Wine is a trip to the window server each time.
        control.form = this;
        SetWindowLongPtrW(control.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
        control.ownProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(control.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Form::ControlProcedure)));
    }
    if (control.spec->options & options::kOwnCharacters) TranslateOwnKeys(control.hwnd);
}

void Form::KeepControls() {
    if (!controlsBuilt_) return;
    for (int i = 0; i < static_cast<int>(controls_.size()); ++i) {
        const HWND hwnd = controls_[i].hwnd;
        if (!hwnd) continue;
        if (!IsWindow(hwnd))
            Recreate(i);
        else if (GetParent(hwnd) != ContainerHandle(controls_[i].parent))
            TakeBack(i);
    }
}

// Taken away, a control with the keyboard focus loses it; it has it again.
void Form::TakeBack(int index) {
    const ControlRecord& control = controls_[index];
    SetParent(control.hwnd, ContainerHandle(control.parent));
    PlaceAsLaidOut(control);
    if (lastFocused_ == control.hwnd) PostMessageW(Handle(), kRefocusMessage, 0, 0);
}

void Form::Recreate(int index) {
    CreateControl(index);
    PlaceAsLaidOut(controls_[index]);
    EventArgs args;
    OnEvent(index, Event::Resize, args);
    OnEvent(index, Event::Recreated, args);
}

void Form::PlaceAsLaidOut(const ControlRecord& control) {
    const geometry::Rect& r = control.placed;
    SetWindowPos(control.hwnd, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(control.hwnd, control.visible ? SW_SHOWNA : SW_HIDE);
    PutInTabOrder();
}

// Tables state each container before its controls, which the layouts check at compile time.
int Form::ContainerIndex(std::string_view name) const {
    for (int i = 0; i < static_cast<int>(controls_.size()); ++i)
        if (controls_[i].spec->name == name) return i;
    throw std::logic_error("no container named " + std::string(name));
}

HWND Form::ContainerHandle(int index) const { return index == geometry::kRoot ? Handle() : controls_[index].hwnd; }

HWND Form::HandleAt(int index) const { return index == kItself ? Handle() : controls_[index].hwnd; }

bool Form::IsControlTakingInput(HWND hwnd) const {
    return hwnd && std::ranges::any_of(controls_, [hwnd](const ControlRecord& c) {
               return c.hwnd == hwnd && BehaviourOf(c.spec->kind).TakesInput();
           });
}
geometry::Rect Form::BoundsAt(int index) const { return controls_[index].placed; }
bool Form::IsVisibleAt(int index) const { return controls_[index].visible; }

BarChart& Form::ChartAt(int index) {
    ControlRecord& control = controls_[index];
    if (!control.chart) throw std::logic_error(std::string(control.spec->name) + " is not a chart");
    return *control.chart;
}

void Form::SetListColumnsAt(int index, std::span<const ListColumn> columns) {
    ControlRecord& control = controls_[index];
    control.columns = columns;
    SetListViewColumns(control.hwnd, columns, control.dpi);
}

void Form::SetListRowsAt(int index, const ListRows* rows) {
    controls_[index].rows = rows;
    InvalidateRect(controls_[index].hwnd, nullptr, FALSE);
}

std::string Form::TextAt(int index) const {
    const ControlRecord& control = controls_[index];
    return BehaviourOf(control.spec->kind).Text(control);
}

void Form::SetTextAt(int index, std::string_view text) {
    ControlRecord& control = controls_[index];
    control.text = text;
    if (control.hwnd) {
        BehaviourOf(control.spec->kind).ShowText(control);
        return;
    }
    InvalidateInContainer(control, control.placed);
    BehaviourOf(control.spec->kind).ShowText(control);
    control.placed.width = control.bounds.width;
    control.placed.height = control.bounds.height;
    InvalidateInContainer(control, control.placed);
    Relayout();  // a label that grew may push the labels after it along
}

// A control shown appears where the layout puts it, and one hidden goes before the others take its room: neither is
// drawn, nor are its neighbours moved, twice.
void Form::SetVisibleAt(int index, bool visible) {
    ControlRecord& control = controls_[index];
    if (control.visible == visible) return;
    control.visible = visible;
    if (control.hwnd && !visible) ShowWindow(control.hwnd, SW_HIDE);
    InvalidateInContainer(control, control.placed);
    Relayout();
    if (control.hwnd && visible) ShowWindow(control.hwnd, SW_SHOWNA);
}

void Form::SetEnabledAt(int index, bool enabled) {
    if (const HWND hwnd = controls_[index].hwnd) EnableWindow(hwnd, enabled);
}

void Form::SetLeftAt(int index, int left) {
    controls_[index].bounds.left = left;
    Relayout();
}

void Form::SetWidthAt(int index, int width) {
    controls_[index].bounds.width = width;
    Relayout();
}

TimerThread& Form::StartedTimerThread() {
    if (!timerThread_) timerThread_.emplace(Handle());
    return *timerThread_;
}

void Form::SetTimerEnabledAt(int index, bool enabled) {
    if (enabled) {
        const std::chrono::milliseconds interval(timers_[index].spec->intervalMs);
        StartedTimerThread().Set(kFirstTimerId + index, interval, interval);
    } else if (timerThread_) {
        timerThread_->Kill(kFirstTimerId + index);
    }
    timers_[index].enabled = enabled;
}

// As with SetTimer, the timer goes on at the same interval until the next schedule.
void Form::ScheduleTimerAt(int index, std::chrono::milliseconds due) {
    const std::chrono::milliseconds interval(std::max<std::int64_t>(USER_TIMER_MINIMUM, due.count()));
    StartedTimerThread().Set(kFirstTimerId + index, interval, interval);
    timers_[index].enabled = true;
}

// Docks everything, then lets resized containers react; a reaction that moves controls docks again.
void Form::Relayout() {
    if (layingOut_ || !controlsBuilt_) return;
    layingOut_ = true;
    for (int pass = 0; pass < 4 && ApplyLayout(); ++pass) {}
    layingOut_ = false;
}

bool Form::ApplyLayout() {
    RECT client;
    GetClientRect(Handle(), &client);
    std::vector<geometry::DockNode> nodes;
    nodes.reserve(controls_.size());
    for (const ControlRecord& c : controls_)
        nodes.push_back({c.parent, c.spec->dock, c.bounds, c.visible,
                         geometry::Scaled(BehaviourOf(c.spec->kind).ClientInsets(*c.spec), dpi_),
                         c.spec->kind == ControlKind::Label});
    const std::vector<geometry::Rect> placed =
        geometry::DockLayout(nodes, client.right, client.bottom, geometry::Scaled(kLabelGap, dpi_));

    std::vector<int> resized;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        ControlRecord& c = controls_[i];
        if (placed[i] == c.placed) continue;
        if (c.placed.width != placed[i].width || c.placed.height != placed[i].height) resized.push_back(int(i));
        if (c.hwnd) {
            const geometry::Rect& r = placed[i];
            SetWindowPos(c.hwnd, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            InvalidateInContainer(c, c.placed);
            InvalidateInContainer(c, placed[i]);
        }
        c.placed = placed[i];
    }
    const auto before = nodes;
    for (int i : resized) {
        EventArgs args;
        OnEvent(static_cast<int>(i), Event::Resize, args);
    }
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (!(controls_[i].bounds == before[i].bounds)) return true;
    return false;
}

void Form::InvalidateInContainer(const ControlRecord& control, const geometry::Rect& area) const {
    const RECT r = ToRect(area);
    InvalidateRect(ContainerHandle(control.parent), &r, TRUE);
}

Form::Form() = default;

// The timers stop before the window goes: a wake-up then finds no window.
Form::~Form() {
    timerThread_.reset();
    if (Handle()) DestroyWindow(Handle());
}

void Form::OnEvent(int, Event, EventArgs&) {}

}  // namespace platform
