// The keys of a form's controls: the form's key events, the keys a dialog gives meaning to, the characters of the
// controls that make their own, and where the focus goes.
#include "platform/Form.h"

#include <algorithm>

#include "platform/Cp1254.h"
#include "platform/FormInternals.h"
#include "platform/KeyboardState.h"
#include "platform/MessageLoop.h"
#include "platform/RichEdit.h"
#include "text/Cp1254Unicode.h"

namespace platform {

using namespace form_internals;

namespace {

EventArgs KeyArgs(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    EventArgs args;
    args.key = static_cast<WORD>(wParam);
    args.alt = ((lParam >> 29) & 1) || KeyHeld(VK_MENU);  // the context code of WM_SYSKEYDOWN
    args.shift = KeyHeld(VK_SHIFT);
    args.ctrl = KeyHeld(VK_CONTROL);
    args.repeated = (lParam >> 30) & 1;
    args.sinceKey = TimeSinceQueued(hwnd, message, lParam);
    return args;
}

bool WantsKey(HWND hwnd, WPARAM key, UINT wanted) {
    MSG message{hwnd, WM_KEYDOWN, key, 0, 0, {}};
    return SendMessageW(hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&message)) & (wanted | DLGC_WANTALLKEYS);
}

bool IsPushButton(HWND hwnd) {
    wchar_t className[16];
    GetClassNameW(hwnd, className, 16);
    return std::wstring_view(className) == L"Button";
}

}  // namespace

// Turns a key message into the form's event; false when a handler cancelled the key or the character.
bool Form::DispatchKey(int source, HWND hwnd, UINT message, WPARAM& wParam, LPARAM lParam) {
    EventArgs args = KeyArgs(hwnd, message, wParam, lParam);
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
        return PassOn(source, hwnd, message, wParam, lParam);
    }
    if (!DispatchKey(source, hwnd, message, wParam, lParam)) return 0;
    const std::wstring made = keys_.Translate(message, wParam, lParam);
    const LRESULT result = PassOn(source, hwnd, message, wParam, lParam);
    TypeMade(source, hwnd, made, lParam);
    return result;
}

void Form::TypeMade(int source, HWND hwnd, std::wstring_view made, LPARAM lParam) {
    for (const wchar_t c : made) {
        if (!text::UnicodeToCp1254(c)) continue;  // the program's text has no place for it
        WPARAM character = c;
        if (!DispatchKey(source, hwnd, WM_CHAR, character, lParam)) continue;
        if (!BehaviourOf(controls_[source].spec->kind).Type(hwnd, static_cast<wchar_t>(character)))
            PassOn(source, hwnd, WM_CHAR, character, lParam);
    }
}

// Tab order among siblings is their order in the z-order.
void Form::PutInTabOrder() {
    std::vector<const ControlRecord*> focusable;
    for (const ControlRecord& c : controls_)
        if (c.hwnd && c.spec->tabOrder >= 0) focusable.push_back(&c);
    std::ranges::stable_sort(focusable, {}, [](const ControlRecord* c) { return c->spec->tabOrder; });
    for (const ControlRecord* c : focusable)
        SetWindowPos(c->hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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
    const ControlRecord* first = nullptr;
    for (const ControlRecord& c : controls_) {
        if (!c.hwnd || c.spec->tabOrder < 0 || BehaviourOf(c.spec->kind).IsContainer() || !IsWindowVisible(c.hwnd) ||
            !IsWindowEnabled(c.hwnd))
            continue;
        // Order by the tab orders along the path from the window down to the control.
        const auto path = [this](const ControlRecord* control) {
            std::vector<int> orders;
            for (; control; control = control->parent == geometry::kRoot ? nullptr : &controls_[control->parent])
                orders.insert(orders.begin(), control->spec->tabOrder);
            return orders;
        };
        if (!first || path(&c) < path(first)) first = &c;
    }
    if (first) SetFocus(first->hwnd);
}

// Keys as in a dialog: Tab moves the focus unless the control takes it as input, and Enter presses a focused push
// button; the characters of those keys never reach the control.
LRESULT Form::DispatchDialogKey(int source, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const ControlRecord& control = controls_[source];
    if (!DispatchKey(source, hwnd, message, wParam, lParam)) return 0;
    const bool plainKeyDown = message == WM_KEYDOWN && !KeyHeld(VK_CONTROL) && !KeyHeld(VK_MENU);
    if (plainKeyDown && wParam == VK_TAB && !WantsKey(hwnd, VK_TAB, DLGC_WANTTAB)) {
        const HWND root = GetAncestor(hwnd, GA_ROOT);
        SetFocus(GetNextDlgTabItem(root, hwnd, KeyHeld(VK_SHIFT)));
        return 0;
    }
    if (plainKeyDown && wParam == VK_RETURN && !KeyHeld(VK_SHIFT) && IsPushButton(hwnd)) {
        SendMessageW(hwnd, BM_CLICK, 0, 0);
        return 0;
    }
    if (message == WM_CHAR && ((wParam == '\t' && !WantsKey(hwnd, VK_TAB, DLGC_WANTTAB)) ||
                               (wParam == '\r' && IsPushButton(hwnd) && !KeyHeld(VK_SHIFT))))
        return 0;
    if (message == WM_CHAR && BehaviourOf(control.spec->kind).Type(hwnd, static_cast<wchar_t>(wParam))) return 0;
    if (message == WM_KEYDOWN && (control.spec->options & options::kScrollsToRead) && ScrollRichEditByKey(hwnd, wParam))
        return 0;
    return PassOn(source, hwnd, message, wParam, lParam);
}

}  // namespace platform
