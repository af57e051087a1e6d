#include "platform/Form.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <stdexcept>

#include "platform/Cp1254.h"
#include "platform/FormInternals.h"
#include "platform/Gdi.h"
#include "platform/RichEdit.h"

namespace platform {

using namespace form_internals;

namespace {

// A group box keeps room for its caption line (13 pixels at 96 dpi) and its etched frame, whatever face the
// font mapper substitutes for the caption's font.
constexpr geometry::Insets kGroupBoxInsets{2, 15, 2, 2};
constexpr geometry::Insets kBevelInsets{1, 1, 1, 1};

geometry::Insets ClientInsets(const ControlSpec& spec) {
    if (spec.kind == ControlKind::GroupBox) return kGroupBoxInsets;
    if (spec.options & options::kRaisedBevel) return kBevelInsets;
    return {};
}

void LoadRichEditOnce() {
    static const HMODULE library = LoadLibraryW(L"riched32.dll");
    if (!library) throw std::runtime_error("riched32.dll cannot be loaded");
}

struct WindowRecipe {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

WindowRecipe RecipeFor(const ControlSpec& spec) {
    const DWORD readOnly = (spec.options & options::kReadOnly) ? DWORD{ES_READONLY} : 0;
    const DWORD verticalScroll = (spec.options & options::kVerticalScroll) ? DWORD{WS_VSCROLL} : 0;
    switch (spec.kind) {
    case ControlKind::Panel:
    case ControlKind::GroupBox:
        return {kContainerClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::Button:
        return {L"BUTTON", BS_PUSHBUTTON, 0};
    case ControlKind::PictureButton:
        return {L"BUTTON", BS_OWNERDRAW, 0};
    case ControlKind::ListBox:
        return {L"LISTBOX", WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE};
    case ControlKind::Edit:
        return {L"EDIT", DWORD{ES_AUTOHSCROLL} | readOnly, WS_EX_CLIENTEDGE};
    case ControlKind::RichEdit:
        LoadRichEditOnce();
        return {L"RICHEDIT", DWORD{ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL} | readOnly | verticalScroll,
                WS_EX_CLIENTEDGE};
    case ControlKind::StatusBar:
        return {STATUSCLASSNAMEW, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0};
    default:
        throw std::logic_error("not a windowed control");
    }
}

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
    if (!atom) throw std::runtime_error("the container window class cannot be registered");
}

void InitCommonControlsOnce() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)done;
}

// The control's default limit of 32,767 characters would silently cut a long sample text and stop the typing.
constexpr LPARAM kRichEditTextLimit = 0x7FFFFFFE;

void ConfigureRichEdit(HWND edit, HFONT font, const FontSpec& fontSpec, Color background) {
    SendMessageW(edit, EM_EXLIMITTEXT, 0, kRichEditTextLimit);
    SendMessageW(edit, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(background.Resolve()));
    // The control's own default is a bold system font under some versions; state every attribute.
    CHARFORMATW format{};
    format.cbSize = sizeof format;
    format.dwMask =
        CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR | CFM_CHARSET;
    format.dwEffects = fontSpec.bold ? CFE_BOLD : 0;
    format.yHeight = -fontSpec.height * 1440 / 96;  // twips at 96 pixels per inch
    format.crTextColor = fontSpec.color.Resolve();
    format.bCharSet = TURKISH_CHARSET;
    lstrcpynW(format.szFaceName, fontSpec.face, LF_FACESIZE);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(edit, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    SendMessageW(edit, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

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
        controls_.push_back({&control, parent, nullptr, control.bounds, control.bounds, control.visible,
                             std::string(control.text), nullptr, fontSpec,
                             control.color.IsInherited() ? parentColor : control.color, nullptr, nullptr, nullptr});
    }

    const geometry::Rect& b = form.bounds;
    Create(
        {form.className}, WidenCp1254(form.caption).c_str(),
        {.style = form.style, .exStyle = form.exStyle, .bounds = {b.left, b.top, b.width, b.height}, .owner = owner});
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

    // Tab order among siblings is their order in the z-order.
    std::vector<const Control*> focusable;
    for (const Control& c : controls_)
        if (c.hwnd && c.spec->tabOrder >= 0) focusable.push_back(&c);
    std::ranges::stable_sort(focusable, {}, [](const Control* c) { return c->spec->tabOrder; });
    for (const Control* c : focusable) SetWindowPos(c->hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    controlsBuilt_ = true;
    Relayout();
    return false;
}

void Form::CreateControl(int index) {
    Control& control = controls_[index];
    const ControlSpec& spec = *control.spec;
    control.font = fonts_.Get(control.fontSpec);
    if (spec.kind == ControlKind::Label) SizeLabel(control);
    if (spec.kind == ControlKind::Picture)
        control.picture = std::make_unique<Picture>(Picture::FromJpegResource(spec.picture));
    if (IsGraphic(spec.kind)) return;
    if (spec.kind == ControlKind::Chart) {
        control.chart = std::make_unique<BarChart>(ContainerHandle(control.parent), control.bounds);
        control.hwnd = control.chart->Handle();
        return;
    }
    if (spec.kind == ControlKind::PictureButton)
        control.buttonPicture = std::make_unique<ButtonPicture>(ButtonPicture::FromBitmapResource(spec.picture));

    const WindowRecipe recipe = RecipeFor(spec);
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | recipe.style | (control.visible ? WS_VISIBLE : 0);
    if (spec.tabOrder >= 0 && !IsContainer(spec.kind)) style |= WS_TABSTOP;
    if (spec.options & options::kDisabled) style |= WS_DISABLED;
    const geometry::Rect& r = control.bounds;
    control.hwnd = CreateWindowExW(recipe.exStyle, recipe.className, WidenCp1254(control.text).c_str(), style, r.left,
                                   r.top, r.width, r.height, ContainerHandle(control.parent),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (!control.hwnd) throw std::runtime_error("a control cannot be created");

    if (IsContainer(spec.kind)) {
        SetWindowLongPtrW(control.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        return;
    }
    SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(control.font), FALSE);
    switch (spec.kind) {
    case ControlKind::RichEdit:
        ConfigureRichEdit(control.hwnd, control.font, control.fontSpec, control.color);
        MakeRichEditWindowUnicode(control.hwnd);
        break;
    case ControlKind::ListBox:
        SendMessageW(control.hwnd, LB_SETITEMHEIGHT, 0, kListItemHeight);
        break;
    case ControlKind::StatusBar: {
        int wholeWidth = -1;
        SendMessageW(control.hwnd, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&wholeWidth));
        SendMessageW(control.hwnd, SB_SETBKCOLOR, 0, static_cast<LPARAM>(control.color.Resolve()));
        SendMessageW(control.hwnd, WM_SETFONT, 0, FALSE);  // the platform's own status-bar font
        break;
    }
    default:
        break;
    }
    SetWindowSubclass(control.hwnd, &Form::ControlProcedure, static_cast<UINT_PTR>(index),
                      reinterpret_cast<DWORD_PTR>(this));
}

void Form::SizeLabel(Control& label) {
    const TextMeasure measure = MeasureOnScreen(label.font, WidenCp1254(label.text));
    label.bounds.width = measure.extent.cx;
    label.bounds.height = measure.lineHeight;
}

// Tables state each container before its controls, which the layouts check at compile time.
int Form::ContainerIndex(std::string_view name) const {
    for (int i = 0; i < static_cast<int>(controls_.size()); ++i)
        if (controls_[i].spec->name == name) return i;
    throw std::logic_error("no container named " + std::string(name));
}

HWND Form::ContainerHandle(int index) const { return index == geometry::kRoot ? Handle() : controls_[index].hwnd; }

BarChart& Form::ChartAt(int index) {
    Control& control = controls_[index];
    if (!control.chart) throw std::logic_error(std::string(control.spec->name) + " is not a chart");
    return *control.chart;
}

std::string Form::TextAt(int index) const {
    const Control& control = controls_[index];
    if (!control.hwnd || control.spec->kind == ControlKind::StatusBar) return control.text;
    if (control.spec->kind == ControlKind::RichEdit) return RichEditText(control.hwnd);
    return NarrowCp1254(WindowText(control.hwnd));
}

void Form::SetTextAt(int index, std::string_view text) {
    Control& control = controls_[index];
    control.text = text;
    const std::wstring wide = WidenCp1254(text);
    switch (control.spec->kind) {
    case ControlKind::Label:
        InvalidateInContainer(control, control.placed);
        SizeLabel(control);
        control.placed.width = control.bounds.width;
        control.placed.height = control.bounds.height;
        InvalidateInContainer(control, control.placed);
        break;
    case ControlKind::StatusBar:
        SendMessageW(control.hwnd, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        break;
    case ControlKind::RichEdit:
        SetRichEditText(control.hwnd, text);
        break;
    default:
        if (control.hwnd) SetWindowTextW(control.hwnd, wide.c_str());
    }
}

void Form::SetVisibleAt(int index, bool visible) {
    Control& control = controls_[index];
    if (control.visible == visible) return;
    control.visible = visible;
    if (control.hwnd) ShowWindow(control.hwnd, visible ? SW_SHOWNA : SW_HIDE);
    InvalidateInContainer(control, control.placed);
    Relayout();
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

void Form::SetTimerEnabledAt(int index, bool enabled) {
    if (enabled)
        SetTimer(Handle(), kFirstTimerId + index, timers_[index].spec->intervalMs, nullptr);
    else
        KillTimer(Handle(), kFirstTimerId + index);
    timers_[index].enabled = enabled;
}

void Form::ScheduleTimerAt(int index, std::chrono::milliseconds due) {
    SetTimer(Handle(), kFirstTimerId + index,
             static_cast<UINT>(std::max<std::int64_t>(USER_TIMER_MINIMUM, due.count())), nullptr);
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
    for (const Control& c : controls_)
        nodes.push_back({c.parent, c.spec->dock, c.bounds, c.visible, ClientInsets(*c.spec)});
    const std::vector<geometry::Rect> placed = geometry::DockLayout(nodes, client.right, client.bottom);

    std::vector<int> resized;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        Control& c = controls_[i];
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

void Form::InvalidateInContainer(const Control& control, const geometry::Rect& area) const {
    const RECT r = ToRect(area);
    InvalidateRect(ContainerHandle(control.parent), &r, TRUE);
}

Form::~Form() {
    if (Handle()) DestroyWindow(Handle());
}

// Like a dialog, the window gives the focus back to the control that last had it, or else to the first control
// in tab order that can take it.
void Form::RestoreFocus() {
    if (lastFocused_ && IsWindow(lastFocused_) && IsWindowVisible(lastFocused_) && IsWindowEnabled(lastFocused_))
        SetFocus(lastFocused_);
    else
        FocusFirstControl();
}

void Form::FocusFirstControl() {
    const Control* first = nullptr;
    for (const Control& c : controls_) {
        if (!c.hwnd || c.spec->tabOrder < 0 || IsContainer(c.spec->kind) || !IsWindowVisible(c.hwnd) ||
            !IsWindowEnabled(c.hwnd))
            continue;
        // Order by the tab orders along the path from the window down to the control.
        const auto path = [this](const Control* control) {
            std::vector<int> orders;
            for (; control; control = control->parent == geometry::kRoot ? nullptr : &controls_[control->parent])
                orders.insert(orders.begin(), control->spec->tabOrder);
            return orders;
        };
        if (!first || path(&c) < path(first)) first = &c;
    }
    if (first) SetFocus(first->hwnd);
}

void Form::OnEvent(int, Event, EventArgs&) {}

}  // namespace platform
