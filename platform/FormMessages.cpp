// How a form turns the messages of its window, its containers and its controls into events.
#include "platform/Form.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "platform/Cp1254.h"
#include "platform/ErrorHandler.h"
#include "platform/FormInternals.h"
#include "platform/MessageLoop.h"
#include "platform/OutsideMessages.h"
#include "platform/RichEdit.h"
#include "text/Cp1254Unicode.h"

namespace platform {

using namespace form_internals;

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
        if (!lParam || id < 0 || id >= static_cast<int>(controls_.size())) return false;
        const std::optional<Event> event = BehaviourOf(controls_[id].spec->kind).EventOf(HIWORD(wParam));
        if (!event) return false;
        EventArgs args;
        OnEvent(id, *event, args);
        return true;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const int id = static_cast<int>(item.CtlID) - kFirstControlId;
        if (item.CtlType != ODT_BUTTON || id < 0 || id >= static_cast<int>(controls_.size()) ||
            !controls_[id].buttonPicture)
            return false;
        const ControlRecord& button = controls_[id];
        DrawPictureButton(item, *button.buttonPicture, button.font, button.fontSpec.color.Resolve(), button.dpi);
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
    if (placement_.OnMessage(message, wParam)) return true;
    EventArgs args;
    switch (message) {
    case WM_SIZE:
        OnEvent(kItself, Event::Resize, args);
        Relayout();
        return true;
    case WM_SHOWWINDOW:
        if (wParam) OnEvent(kItself, Event::Show, args);
        return false;
    // Windows sends these from elsewhere and waits for no answer. Answered at once, the layout work they start counts
    // as the form's own, and its controls take the fonts, sizes and texts it sends them (platform/OutsideMessages).
    case WM_DPICHANGED:
        ReplyMessage(0);
        FitToMonitor(LOWORD(wParam));
        Refit();
        return true;
    case WM_DISPLAYCHANGE:
        ReplyMessage(0);
        // Every top-level window hears of the change, an owned one often before its owner: a form that another
        // form owns is fitted by it, after it, so that a dialog centres itself over its owner's new place.
        if (!FromHandle(GetWindow(Handle(), GW_OWNER))) FitToScreens();
        return false;
    case WM_SETFOCUS:
        RestoreFocus();
        return true;
    case TimerThread::kWakeMessage:
        ReplyMessage(0);  // the timer thread goes on, and what the timer does is this window's own work
        // A wake-up of a timer that is off does nothing; one that another program sends changes nothing, since the
        // timers' handlers read their clocks.
        if (wParam < kFirstTimerId || wParam >= kFirstTimerId + timers_.size()) return true;
        if (timers_[wParam - kFirstTimerId].enabled)
            OnEvent(static_cast<int>(wParam - kFirstTimerId), Event::Timer, args);
        PaintNow();
        return true;
    case WM_CLOSE:
        args.requested = closeRequested_;
        OnEvent(kItself, Event::Close, args);
        if (args.refused) return true;
        if (!modal_) return false;
        modal_ = false;
        return true;
    case WM_NCHITTEST:
        args.hitTest = DefWindowProcW(Handle(), message, wParam, lParam);
        OnEvent(kItself, Event::HitTest, args);
        result = args.hitTest;
        return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR: {
        WPARAM key = wParam;
        if (!DispatchKey(kItself, Handle(), message, key, lParam)) return true;
        result = DefWindowProcW(Handle(), message, key, lParam);
        return true;
    }
    default:
        return false;
    }
}

void Form::Close() {
    closeRequested_ = true;
    SendMessageW(Handle(), WM_CLOSE, 0, 0);
    closeRequested_ = false;
}

// Windows makes WM_PAINT only when no posted message waits: a window that another program floods with them would
// show nothing new until the flood ends.
void Form::PaintNow() const { RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

Form* Form::FromHandle(HWND hwnd) { return dynamic_cast<Form*>(Window::FromHandle(hwnd)); }

void Form::KeepPlacement(const RECT& bounds) { placement_.Keep(Handle(), bounds); }

void Form::ReleasePlacement() { placement_.Release(); }

void Form::CentreClientArea(SIZE client, HWND over) {
    centring_ = Centring{client, over};
    RECT frame{0, 0, WidthForText(geometry::Scaled(client.cx, dpi_)), geometry::Scaled(client.cy, dpi_)};
    AdjustWindowRectExForDpi(&frame, GetWindowLongW(Handle(), GWL_STYLE), FALSE, GetWindowLongW(Handle(), GWL_EXSTYLE),
                             GetDpiForWindow(Handle()));
    RECT area = PrimaryMonitorBounds();
    if (over) GetWindowRect(over, &area);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(Handle(), nullptr, (area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2, width,
                 height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The faces that stand in for the designed fonts may be wider than they: when a line of text would reach past the
// client area, the area grows to hold it with the margin its left side keeps.
int Form::WidthForText(int width) const {
    int margin = width, right = 0;
    for (const ControlRecord& c : controls_) {
        if (c.parent != geometry::kRoot || !c.visible) continue;
        margin = std::min(margin, c.placed.left);
        if (c.spec->kind == ControlKind::Label) right = std::max(right, c.placed.Right());
    }
    return right > width ? right + margin : width;
}

void Form::ShowModal(const std::function<bool()>& idleStep) {
    std::vector<HWND> disabled;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM list) {
            if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&disabled));
    for (HWND hwnd : disabled) EnableWindow(hwnd, FALSE);

    modal_ = true;
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    FocusFirstControl();
    PaintNow();
    bool working = static_cast<bool>(idleStep);
    const auto step = [&] { working = Guarded([&] { return idleStep(); }); };
    MSG message;
    bool quit = false;
    while (modal_) {
        // Peeking finds paint messages too: an empty queue means the form is on screen.
        if (working && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            step();
            continue;
        }
        if (!NextMessage(message)) {
            RequestQuit(static_cast<int>(message.wParam));  // the outer loop must see the quit too
            modal_ = false;
            quit = true;
            break;
        }
        Deliver(message);
    }
    while (working && !quit) step();
    for (HWND hwnd : disabled)
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    ShowWindow(Handle(), SW_HIDE);
}

LRESULT CALLBACK Form::ContainerProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!form) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (RefusesFromElsewhere(hwnd, message)) return LRESULT{0};
    return Guarded([&] {
        const int index = GetDlgCtrlID(hwnd) - kFirstControlId;
        if (const auto filtered = form->FilterControlMessage(index, hwnd, message, wParam, lParam)) return *filtered;
        LRESULT result = 0;
        if (form->DispatchControlMessage(index, message, wParam, lParam, result)) return result;
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
    args.alt = ((lParam >> 29) & 1) || GetKeyState(VK_MENU) < 0;  // the context code of WM_SYSKEYDOWN
    args.shift = GetKeyState(VK_SHIFT) < 0;
    args.ctrl = GetKeyState(VK_CONTROL) < 0;
    args.repeated = (lParam >> 30) & 1;
    return args;
}

bool WantsKey(HWND hwnd, WPARAM key, UINT wanted) {
    MSG message{hwnd, WM_KEYDOWN, key, 0, 0, {}};
    return SendMessageW(hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&message)) & (wanted | DLGC_WANTALLKEYS);
}

bool TypesCharacter(UINT message) {
    return IsCharacterMessage(message) || message == WM_UNICHAR || message == WM_IME_CHAR;
}

bool IsPushButton(HWND hwnd) {
    wchar_t className[16];
    GetClassNameW(hwnd, className, 16);
    return std::wstring_view(className) == L"Button";
}

}  // namespace

// Turns a key message into the form's event; false when a handler cancelled the key or the character.
bool Form::DispatchKey(int source, HWND hwnd, UINT message, WPARAM& wParam, LPARAM lParam) {
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

// A key pressed is the form's key-down event first, which may cancel it with its characters; a key released types
// what it ends (an Alt code) before its key-up event. The characters that the form's handlers leave go to the control
// as the keyboard's own.
LRESULT Form::DispatchOwnKey(int source, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYUP || message == WM_SYSKEYUP) {
        TypeMade(source, hwnd, keys_.Translate(message, wParam, lParam), lParam);
        if (!DispatchKey(source, hwnd, message, wParam, lParam)) return 0;
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    if (!DispatchKey(source, hwnd, message, wParam, lParam)) return 0;
    const std::wstring made = keys_.Translate(message, wParam, lParam);
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    TypeMade(source, hwnd, made, lParam);
    return result;
}

void Form::TypeMade(int source, HWND hwnd, std::wstring_view made, LPARAM lParam) {
    for (const wchar_t c : made) {
        if (!text::UnicodeToCp1254(c)) continue;  // the program's text has no place for it
        WPARAM character = c;
        if (!DispatchKey(source, hwnd, WM_CHAR, character, lParam)) continue;
        if (!BehaviourOf(controls_[source].spec->kind).Type(hwnd, static_cast<wchar_t>(character)))
            DefSubclassProc(hwnd, WM_CHAR, character, lParam);
    }
}

// Keyboard and mouse messages of a windowed control become the form's events; a handler can cancel a key.
// Tab moves the focus unless the control takes it as input, and Enter presses a focused push button.
LRESULT CALLBACK Form::ControlProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR index,
                                        DWORD_PTR formPointer) {
    return Guarded([&]() -> LRESULT {
        auto& form = *reinterpret_cast<Form*>(formPointer);
        const int source = static_cast<int>(index);
        const ControlRecord& control = form.controls_[index];
        const bool ownCharacters = control.spec->options & options::kOwnCharacters;
        // Whoever moved the control into another window, the form takes it back before anything else hears of it;
        // one destroyed there is made again.
        if (message == WM_WINDOWPOSCHANGED && GetParent(hwnd) != form.ContainerHandle(control.parent)) {
            form.TakeBack(source);
            return 0;
        }
        if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(hwnd, &Form::ControlProcedure, index);
            ForgetOwnKeys(hwnd);
            const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
            if (control.hwnd == hwnd && GetAncestor(hwnd, GA_ROOT) != form.Handle()) form.Recreate(source);
            return result;
        }
        if (RefusesFromElsewhere(hwnd, message)) return 0;
        if (const auto filtered = form.FilterControlMessage(source, hwnd, message, wParam, lParam)) return *filtered;
        // A character that the form's filter let through (a test's) counts as made here; no other one types.
        if (ownCharacters && TypesCharacter(message)) {
            if (message == WM_CHAR) form.TypeMade(source, hwnd, std::wstring(1, static_cast<wchar_t>(wParam)), lParam);
            return 0;
        }
        switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_CHAR: {
            if (ownCharacters) return form.DispatchOwnKey(source, hwnd, message, wParam, lParam);
            if (!form.DispatchKey(source, hwnd, message, wParam, lParam)) return 0;
            const bool plainKeyDown =
                message == WM_KEYDOWN && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
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
            if (message == WM_CHAR && BehaviourOf(control.spec->kind).Type(hwnd, static_cast<wchar_t>(wParam)))
                return 0;
            if (message == WM_KEYDOWN && (control.spec->options & options::kScrollsToRead) &&
                ScrollRichEditByKey(hwnd, wParam))
                return 0;
            return DefSubclassProc(hwnd, message, wParam, lParam);
        }
        // The wheel turns the text under the pointer, wherever the keyboard is.
        case WM_MOUSEWHEEL: {
            const HWND under = WindowFromPoint({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            if (under != hwnd && form.IsControlTakingInput(under)) return SendMessageW(under, message, wParam, lParam);
            if (!(control.spec->options & options::kScrollsToRead)) break;
            ScrollRichEditByWheel(hwnd, GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK: {
            const bool leftButton = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
            const unsigned withholding = leftButton ? options::kAutomaticDrag : options::kLeftButtonOnly;
            const bool withheld = control.spec->options & withholding;
            const LRESULT result = withheld ? 0 : DefSubclassProc(hwnd, message, wParam, lParam);
            EventArgs args;
            args.mouseMessage = message;
            form.OnEvent(source, Event::MouseDown, args);
            return result;
        }
        case WM_SETFOCUS:
            form.lastFocused_ = hwnd;
            break;
        case WM_SYSCHAR:
            return 0;  // the program has no menus: Alt with a key would only beep, during the supervisor's sequence too
        case WM_GETDLGCODE:
            if (control.spec->options & options::kWantTabs)
                return DefSubclassProc(hwnd, message, wParam, lParam) | DLGC_WANTTAB | DLGC_WANTALLKEYS;
            break;
        default:
            break;
        }
        return DefSubclassProc(hwnd, message, wParam, lParam);
    });
}

}  // namespace platform
