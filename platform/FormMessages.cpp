// How a form turns the messages of its window, its containers and its controls into events.
#include "platform/Form.h"

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
    case kRefocusMessage:
        if (index == geometry::kRoot && GetActiveWindow() == Handle()) RestoreFocus();
        return index == geometry::kRoot;
    case WM_COMMAND: {
        const int id = LOWORD(wParam) - kFirstControlId;
        if (!lParam || id < 0 || id >= static_cast<int>(controls_.size())) return false;
        const std::optional<Event> event = BehaviourOf(controls_[id].spec->kind).EventOf(HIWORD(wParam));
        if (!event) return false;
        EventArgs args;
        OnEvent(id, *event, args);
        return true;
    }
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        const int id = static_cast<int>(header.idFrom) - kFirstControlId;
        if (id < 0 || id >= static_cast<int>(controls_.size()) || controls_[id].hwnd != header.hwndFrom) return false;
        EventArgs args;
        const std::optional<Event> event =
            BehaviourOf(controls_[id].spec->kind).Notified(controls_[id], header, args, result);
        if (event) OnEvent(id, *event, args);
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
        // The modal loop may be waiting in GetMessage, which returns only for a posted message: a close that came
        // as a sent message (a click sent by an assistive program, say) would leave it waiting for the next key.
        PostMessageW(Handle(), WM_NULL, 0, 0);
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
    case WM_SYSCHAR:
        return true;  // as for the controls: the program has no menus, and a form that has the focus would only beep
    default:
        return false;
    }
}

// Windows makes WM_PAINT only when no posted message waits: a window that another program floods with them would
// show nothing new until the flood ends.
void Form::PaintNow() const { RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

Form* Form::FromHandle(HWND hwnd) { return dynamic_cast<Form*>(Window::FromHandle(hwnd)); }

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

bool TypesCharacter(UINT message) {
    return IsCharacterMessage(message) || message == WM_UNICHAR || message == WM_IME_CHAR;
}

}  // namespace

// Keyboard and mouse messages of a windowed control become the form's events; a handler can cancel a key.
// Tab moves the focus unless the control takes it as input, and Enter presses a focused push button.
// Set with the wide API, the procedure makes every control a Unicode window; an ANSI control's own procedure still
// gets its messages converted (CallWindowProcW).
LRESULT CALLBACK Form::ControlProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded([&]() -> LRESULT {
        const auto& control = *reinterpret_cast<const ControlRecord*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        Form& form = *control.form;
        const int source = static_cast<int>(&control - form.controls_.data());
        const bool ownCharacters = control.spec->options & options::kOwnCharacters;
        // Whoever moved the control into another window, the form takes it back before anything else hears of it;
        // one destroyed there is made again.
        if (message == WM_WINDOWPOSCHANGED && GetParent(hwnd) != form.ContainerHandle(control.parent)) {
            form.TakeBack(source);
            return 0;
        }
        if (message == WM_NCDESTROY) {
            ForgetOwnKeys(hwnd);
            const LRESULT result = form.PassOn(source, hwnd, message, wParam, lParam);
            if (control.hwnd == hwnd && GetAncestor(hwnd, GA_ROOT) != form.Handle()) form.Recreate(source);
            return result;
        }
        if (RefusesFromElsewhere(hwnd, message)) return 0;
        const AnsweringRead answering(message);
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
        case WM_CHAR:
            return ownCharacters ? form.DispatchOwnKey(source, hwnd, message, wParam, lParam)
                                 : form.DispatchDialogKey(source, hwnd, message, wParam, lParam);
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
            const LRESULT result = withheld ? 0 : form.PassOn(source, hwnd, message, wParam, lParam);
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
                return form.PassOn(source, hwnd, message, wParam, lParam) | DLGC_WANTTAB | DLGC_WANTALLKEYS;
            break;
        default:
            break;
        }
        return form.PassOn(source, hwnd, message, wParam, lParam);
    });
}

LRESULT Form::PassOn(int index, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcW(controls_[index].ownProcedure, hwnd, message, wParam, lParam);
}

}  // namespace platform
