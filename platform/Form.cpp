#include "platform/Form.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <stdexcept>

#include "platform/Cp1254.h"
#include "platform/ErrorHandler.h"
#include "platform/Gdi.h"
#include "platform/RichEdit.h"

namespace platform {

namespace {

constexpr int kFirstControlId = 1000;
constexpr UINT_PTR kFirstTimerId = 1;
constexpr wchar_t kContainerClass[] = L"PC1Container";
constexpr int kListItemHeight = 13;

bool IsGraphic(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::Bevel || kind == ControlKind::Splitter ||
           kind == ControlKind::Picture;
}

bool IsContainer(ControlKind kind) { return kind == ControlKind::Panel || kind == ControlKind::GroupBox; }

// A group box keeps room for its caption line (13 pixels at 96 dpi) and its etched frame, whatever face the
// font mapper substitutes for the caption's font.
constexpr geometry::Insets kGroupBoxInsets{2, 15, 2, 2};
constexpr geometry::Insets kBevelInsets{1, 1, 1, 1};

geometry::Insets ClientInsets(const ControlSpec& spec) {
    if (spec.kind == ControlKind::GroupBox) return kGroupBoxInsets;
    if (spec.options & options::kRaisedBevel) return kBevelInsets;
    return {};
}

int FontHeight(HFONT font) {
    const HDC screen = GetDC(nullptr);
    TEXTMETRICW metrics{};
    {
        SelectedObject selected(screen, font);
        GetTextMetricsW(screen, &metrics);
    }
    ReleaseDC(nullptr, screen);
    return metrics.tmHeight;
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
        return {L"RICHEDIT",
                DWORD{ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL} | readOnly | verticalScroll,
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

void ConfigureRichEdit(HWND edit, HFONT font, const FontSpec& fontSpec, Color background) {
    SendMessageW(edit, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(background.Resolve()));
    // The control's own default is a bold system font under some versions; state every attribute.
    CHARFORMATW format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR |
                    CFM_CHARSET;
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
    spec_ = &form;
    InitCommonControlsOnce();
    RegisterContainerClassOnce(&Form::ContainerProcedure);
    for (const TimerSpec& timer : timers) timers_.push_back({&timer});

    controls_.reserve(controls.size());
    for (const ControlSpec& control : controls) {
        const int parent = control.parent.empty() ? geometry::kRoot : IndexOf(control.parent);
        const FontSpec& parentFont = parent == geometry::kRoot ? form.baseFont : controls_[parent].fontSpec;
        const Color parentColor = parent == geometry::kRoot ? form.color : controls_[parent].color;
        const FontSpec fontSpec = control.font.IsInherited() ? parentFont : control.font;
        controls_.push_back({&control, parent, nullptr, control.bounds, control.bounds, control.visible,
                             std::string(control.text), nullptr, fontSpec,
                             control.color.IsInherited() ? parentColor : control.color, nullptr, nullptr, nullptr});
    }

    const geometry::Rect& b = form.bounds;
    Create({form.className}, WidenCp1254(form.caption).c_str(),
           {.style = form.style,
            .exStyle = form.exStyle,
            .bounds = {b.left, b.top, b.width, b.height},
            .owner = owner});
    for (int i = 0; i < static_cast<int>(controls_.size()); ++i) CreateControl(i);

    // Tab order among siblings is their order in the z-order.
    std::vector<const Control*> focusable;
    for (const Control& c : controls_)
        if (c.hwnd && c.spec->tabOrder >= 0) focusable.push_back(&c);
    std::ranges::stable_sort(focusable, {}, [](const Control* c) { return c->spec->tabOrder; });
    for (const Control* c : focusable) SetWindowPos(c->hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    Relayout();
}

void Form::CreateControl(int index) {
    Control& control = controls_[index];
    const ControlSpec& spec = *control.spec;
    control.font = fonts_.Get(control.fontSpec);
    if (spec.kind == ControlKind::Label) SizeLabel(control);
    if (spec.kind == ControlKind::Picture) control.picture = std::make_unique<Picture>(Picture::FromJpegResource(spec.picture));
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
    const std::wstring text = WidenCp1254(label.text);
    const HDC screen = GetDC(nullptr);
    SIZE extent{};
    TEXTMETRICW metrics{};
    {
        SelectedObject selected(screen, label.font);
        GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &extent);
        GetTextMetricsW(screen, &metrics);
    }
    ReleaseDC(nullptr, screen);
    label.bounds.width = extent.cx;
    label.bounds.height = metrics.tmHeight;
}

int Form::IndexOf(std::string_view name) const {
    for (int i = 0; i < static_cast<int>(controls_.size()); ++i)
        if (controls_[i].spec->name == name) return i;
    throw std::logic_error("no control named " + std::string(name));
}

HWND Form::ContainerHandle(int index) const { return index == geometry::kRoot ? Handle() : controls_[index].hwnd; }

HWND Form::ControlHandle(std::string_view name) const { return At(name).hwnd; }

BarChart& Form::Chart(std::string_view name) {
    Control& control = At(name);
    if (!control.chart) throw std::logic_error(std::string(name) + " is not a chart");
    return *control.chart;
}
geometry::Rect Form::ControlBounds(std::string_view name) const { return At(name).placed; }
bool Form::IsControlVisible(std::string_view name) const { return At(name).visible; }
std::string_view Form::ControlHint(std::string_view name) const { return At(name).spec->hint; }

std::string Form::ControlText(std::string_view name) const {
    const Control& control = At(name);
    if (!control.hwnd || control.spec->kind == ControlKind::StatusBar) return control.text;
    if (control.spec->kind == ControlKind::RichEdit) return RichEditText(control.hwnd);
    std::wstring text(GetWindowTextLengthW(control.hwnd) + 1, L'\0');
    text.resize(GetWindowTextW(control.hwnd, text.data(), static_cast<int>(text.size())));
    return NarrowCp1254(text);
}

void Form::SetControlText(std::string_view name, std::string_view text) {
    Control& control = At(name);
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

void Form::SetControlVisible(std::string_view name, bool visible) {
    Control& control = At(name);
    if (control.visible == visible) return;
    control.visible = visible;
    if (control.hwnd) ShowWindow(control.hwnd, visible ? SW_SHOWNA : SW_HIDE);
    InvalidateInContainer(control, control.placed);
    Relayout();
}

void Form::SetControlEnabled(std::string_view name, bool enabled) {
    if (const HWND hwnd = At(name).hwnd) EnableWindow(hwnd, enabled);
}

void Form::SetControlLeft(std::string_view name, int left) {
    At(name).bounds.left = left;
    Relayout();
}

void Form::SetControlWidth(std::string_view name, int width) {
    At(name).bounds.width = width;
    Relayout();
}

std::size_t Form::TimerIndex(std::string_view name) const {
    for (std::size_t i = 0; i < timers_.size(); ++i)
        if (timers_[i].spec->name == name) return i;
    throw std::logic_error("no timer named " + std::string(name));
}

void Form::SetTimerEnabled(std::string_view name, bool enabled) {
    const std::size_t index = TimerIndex(name);
    if (enabled)
        SetTimer(Handle(), kFirstTimerId + index, timers_[index].spec->intervalMs, nullptr);
    else
        KillTimer(Handle(), kFirstTimerId + index);
    timers_[index].enabled = enabled;
}

void Form::ScheduleTimer(std::string_view name, std::chrono::milliseconds due) {
    const std::size_t index = TimerIndex(name);
    SetTimer(Handle(), kFirstTimerId + index, static_cast<UINT>(std::max<std::int64_t>(USER_TIMER_MINIMUM, due.count())),
             nullptr);
    timers_[index].enabled = true;
}

bool Form::IsTimerEnabled(std::string_view name) const { return timers_[TimerIndex(name)].enabled; }

// Docks everything, then lets resized containers react; a reaction that moves controls docks again.
void Form::Relayout() {
    if (layingOut_ || !Handle() || controls_.empty() || !controls_.back().font) return;
    layingOut_ = true;
    for (int pass = 0; pass < 4 && ApplyLayout(); ++pass) {
    }
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
        OnEvent(controls_[i].spec->name, Event::Resize, args);
    }
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (!(controls_[i].bounds == before[i].bounds)) return true;
    return false;
}

void Form::InvalidateInContainer(const Control& control, const geometry::Rect& area) const {
    const RECT r = ToRect(area);
    InvalidateRect(ContainerHandle(control.parent), &r, TRUE);
}

void Form::PaintContainer(int index, HDC dc, const RECT& client) {
    const Color background = index == geometry::kRoot ? spec_->color : controls_[index].color;
    UniqueBrush brush(CreateSolidBrush(background.Resolve()));
    FillRect(dc, &client, brush.get());
    if (index != geometry::kRoot) {
        const Control& container = controls_[index];
        RECT frame = client;
        if (container.spec->kind == ControlKind::GroupBox) {
            const int textHeight = FontHeight(container.font);
            frame.top += textHeight / 2;
            DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
            if (!container.text.empty()) {
                SelectedObject font(dc, container.font);
                SetBkColor(dc, background.Resolve());
                SetTextColor(dc, container.fontSpec.color.Resolve());
                const std::wstring caption = WidenCp1254(container.text);
                TextOutW(dc, 8, 0, caption.c_str(), static_cast<int>(caption.size()));
            }
        } else if (container.spec->options & options::kRaisedBevel) {
            DrawEdge(dc, &frame, BDR_RAISEDOUTER, BF_RECT);
        }
    }
    for (const Control& c : controls_)
        if (c.parent == index && c.visible && IsGraphic(c.spec->kind)) PaintGraphicControl(c, dc);
}

void Form::PaintGraphicControl(const Control& control, HDC dc) {
    RECT r = ToRect(control.placed);
    switch (control.spec->kind) {
    case ControlKind::Label: {
        const std::wstring text = WidenCp1254(control.text);
        SelectedObject font(dc, control.font);
        SetBkColor(dc, control.color.Resolve());
        SetTextColor(dc, control.fontSpec.color.Resolve());
        ExtTextOutW(dc, r.left, r.top, ETO_OPAQUE, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
        break;
    }
    case ControlKind::Bevel:
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        break;
    case ControlKind::Picture:
        control.picture->Draw(dc, r);
        break;
    default:
        break;
    }
}

// Like a dialog, the window hands the focus to the first control in tab order that can take it.
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

void Form::OnEvent(std::string_view, Event, EventArgs&) {}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (DispatchControlMessage(geometry::kRoot, message, wParam, lParam, result)) return result;
    return Window::HandleMessage(message, wParam, lParam);
}

// Messages that reach the form or one of its containers.
bool Form::DispatchControlMessage(int index, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam) - kFirstControlId;
        if (lParam && HIWORD(wParam) == BN_CLICKED && id >= 0 && id < static_cast<int>(controls_.size())) {
            EventArgs args;
            OnEvent(controls_[id].spec->name, Event::Click, args);
            return true;
        }
        return false;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const int id = static_cast<int>(item.CtlID) - kFirstControlId;
        if (item.CtlType != ODT_BUTTON || id < 0 || id >= static_cast<int>(controls_.size()) ||
            !controls_[id].buttonPicture)
            return false;
        const Control& button = controls_[id];
        DrawPictureButton(item, *button.buttonPicture, button.font, button.fontSpec.color.Resolve());
        result = TRUE;
        return true;
    }
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HWND hwnd = ContainerHandle(index);
        const HDC dc = BeginPaint(hwnd, &paint);
        RECT client;
        GetClientRect(hwnd, &client);
        PaintContainer(index, dc, client);
        EndPaint(hwnd, &paint);
        return true;
    }
    default:
        break;
    }
    return index == geometry::kRoot && DispatchFormMessage(message, wParam, lParam, result);
}

bool Form::DispatchFormMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    EventArgs args;
    switch (message) {
    case WM_SIZE:
        OnEvent(kSelf, Event::Resize, args);
        Relayout();
        return true;
    case WM_SHOWWINDOW:
        if (wParam) OnEvent(kSelf, Event::Show, args);
        return false;
    case WM_SETFOCUS:
        FocusFirstControl();
        return true;
    case WM_TIMER:
        if (wParam >= kFirstTimerId && wParam < kFirstTimerId + timers_.size()) {
            OnEvent(timers_[wParam - kFirstTimerId].spec->name, Event::Timer, args);
            return true;
        }
        return false;
    case WM_CLOSE:
        OnEvent(kSelf, Event::Close, args);
        if (!modal_) return false;
        modal_ = false;
        return true;
    case WM_NCHITTEST:
        args.hitTest = DefWindowProcW(Handle(), message, wParam, lParam);
        OnEvent(kSelf, Event::HitTest, args);
        result = args.hitTest;
        return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR: {
        WPARAM key = wParam;
        if (!DispatchKey(kSelf, Handle(), message, key, lParam)) return true;
        result = DefWindowProcW(Handle(), message, key, lParam);
        return true;
    }
    default:
        return false;
    }
}

void Form::Close() { SendMessageW(Handle(), WM_CLOSE, 0, 0); }

void Form::ShowModal() {
    std::vector<HWND> disabled;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM list) {
            if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&disabled));
    for (HWND hwnd : disabled) EnableWindow(hwnd, FALSE);

    modal_ = true;
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    FocusFirstControl();
    MSG message;
    while (modal_) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // the outer loop must see the quit too
            modal_ = false;
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    for (HWND hwnd : disabled)
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    ShowWindow(Handle(), SW_HIDE);
}

LRESULT CALLBACK Form::ContainerProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!form) return DefWindowProcW(hwnd, message, wParam, lParam);
    return Guarded([&] {
        LRESULT result = 0;
        if (form->DispatchControlMessage(GetDlgCtrlID(hwnd) - kFirstControlId, message, wParam, lParam, result))
            return result;
        // Notifications of the controls inside go on to the form.
        if (message == WM_COMMAND || message == WM_DRAWITEM || message == WM_NOTIFY ||
            (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC))
            return form->HandleMessage(message, wParam, lParam);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    });
}

namespace {

EventArgs KeyArgs(WPARAM wParam, LPARAM lParam) {
    EventArgs args;
    args.key = static_cast<WORD>(wParam);
    args.alt = GetKeyState(VK_MENU) < 0;
    args.shift = GetKeyState(VK_SHIFT) < 0;
    args.ctrl = GetKeyState(VK_CONTROL) < 0;
    args.repeated = (lParam >> 30) & 1;
    return args;
}

bool WantsKey(HWND hwnd, WPARAM key, UINT wanted) {
    MSG message{hwnd, WM_KEYDOWN, key, 0, 0, {}};
    return SendMessageW(hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&message)) & (wanted | DLGC_WANTALLKEYS);
}

// Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+A, Ctrl+Insert, Shift+Insert and Shift+Delete. AltGr (Ctrl and Alt together) types
// letters on Turkish keyboards and is never one of them.
bool IsClipboardChord(WPARAM key) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0, alt = GetKeyState(VK_MENU) < 0;
    if (alt) return false;
    if (ctrl && (key == 'C' || key == 'V' || key == 'X' || key == 'A' || key == VK_INSERT)) return true;
    return shift && !ctrl && (key == VK_INSERT || key == VK_DELETE);
}

// The control characters that the clipboard chords type, as opposed to Tab, Enter and Backspace.
bool IsChordCharacter(WPARAM character) {
    return character < 0x20 && character != '\t' && character != '\r' && character != '\n' && character != '\b';
}

bool IsClipboardMessage(UINT message) {
    return message == WM_PASTE || message == WM_COPY || message == WM_CUT || message == WM_CONTEXTMENU ||
           message == WM_RBUTTONUP;
}

bool IsPushButton(HWND hwnd) {
    wchar_t className[16];
    GetClassNameW(hwnd, className, 16);
    return std::wstring_view(className) == L"Button";
}

}  // namespace

// Turns a key message into the form's event; false when a handler cancelled the key or the character.
bool Form::DispatchKey(std::string_view source, HWND hwnd, UINT message, WPARAM& wParam, LPARAM lParam) {
    EventArgs args = KeyArgs(wParam, lParam);
    if (message == WM_CHAR) {
        args.key = 0;
        args.character = IsWindowUnicode(hwnd) ? NarrowCp1254(std::wstring(1, static_cast<wchar_t>(wParam)))[0]
                                               : static_cast<char>(wParam);
        OnEvent(source, Event::KeyPress, args);
        if (args.character == 0) return false;
        wParam = IsWindowUnicode(hwnd) ? WidenCp1254(std::string(1, args.character))[0]
                                       : static_cast<unsigned char>(args.character);
        return true;
    }
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    OnEvent(source, down ? Event::KeyDown : Event::KeyUp, args);
    wParam = args.key;
    return args.key != 0;
}

// Keyboard and mouse messages of a windowed control become the form's events; a handler can cancel a key.
// Tab moves the focus unless the control takes it as input, and Enter presses a focused push button.
LRESULT CALLBACK Form::ControlProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR index,
                                        DWORD_PTR formPointer) {
    return Guarded([&]() -> LRESULT {
        auto& form = *reinterpret_cast<Form*>(formPointer);
        const Control& control = form.controls_[index];
        const std::string_view name = control.spec->name;
        const bool typedTextOnly = control.spec->options & options::kTypedTextOnly;
        if (typedTextOnly && IsClipboardMessage(message)) return 0;
        switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_CHAR: {
            if (!form.DispatchKey(name, hwnd, message, wParam, lParam)) return 0;
            if (typedTextOnly && ((message == WM_KEYDOWN && IsClipboardChord(wParam)) ||
                                  (message == WM_CHAR && IsChordCharacter(wParam))))
                return 0;
            const bool plainKeyDown = message == WM_KEYDOWN && GetKeyState(VK_CONTROL) >= 0 &&
                                      GetKeyState(VK_MENU) >= 0;
            if (plainKeyDown && wParam == VK_TAB && !WantsKey(hwnd, VK_TAB, DLGC_WANTTAB)) {
                const HWND root = GetAncestor(hwnd, GA_ROOT);
                SetFocus(GetNextDlgTabItem(root, hwnd, GetKeyState(VK_SHIFT) < 0));
                return 0;
            }
            if (plainKeyDown && wParam == VK_RETURN && GetKeyState(VK_SHIFT) >= 0 && IsPushButton(hwnd)) {
                SendMessageW(hwnd, BM_CLICK, 0, 0);
                return 0;
            }
            // The characters of keys handled above never reach the control.
            if (message == WM_CHAR && ((wParam == '\t' && !WantsKey(hwnd, VK_TAB, DLGC_WANTTAB)) ||
                                       (wParam == '\r' && IsPushButton(hwnd) && GetKeyState(VK_SHIFT) >= 0)))
                return 0;
            return DefSubclassProc(hwnd, message, wParam, lParam);
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK: {
            const bool leftButton = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
            const bool rightButton = message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK;
            const bool withheld = (leftButton && (control.spec->options & options::kAutomaticDrag)) ||
                                  (rightButton && typedTextOnly);
            const LRESULT result = withheld ? 0 : DefSubclassProc(hwnd, message, wParam, lParam);
            EventArgs args;
            args.mouseMessage = message;
            form.OnEvent(name, Event::MouseDown, args);
            return result;
        }
        case WM_GETDLGCODE:
            if (control.spec->options & options::kWantTabs)
                return DefSubclassProc(hwnd, message, wParam, lParam) | DLGC_WANTTAB | DLGC_WANTALLKEYS;
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &Form::ControlProcedure, index);
            break;
        default:
            break;
        }
        return DefSubclassProc(hwnd, message, wParam, lParam);
    });
}

}  // namespace platform
