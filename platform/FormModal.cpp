// A form shown modally, with a nested message loop, and closed.
#include "platform/Form.h"

#include <vector>

#include "platform/ErrorHandler.h"
#include "platform/MessageLoop.h"

namespace platform {

void Form::Close() {
    closeRequested_ = true;
    SendMessageW(Handle(), WM_CLOSE, 0, 0);
    closeRequested_ = false;
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

}  // namespace platform
