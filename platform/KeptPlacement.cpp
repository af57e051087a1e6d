#include "platform/KeptPlacement.h"

#include "platform/Gdi.h"
#include "platform/Monitors.h"

namespace platform {

namespace {

// Often enough that a changed screen is covered again within half a second.
constexpr UINT kScreensCheckMs = 500;

bool ProgramHasTheForeground() {
    DWORD process = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &process);
    return process == GetCurrentProcessId();
}

}  // namespace

// Windows lets the foreground program refuse SetForegroundWindow to every other program until the user presses Alt
// or clicks another program's window; Wine 8 has no such lock, and the window takes the foreground back instead.
void KeptPlacement::Keep(HWND window, const RECT& bounds) {
    window_ = window;
    bounds_ = bounds;
    screens_ = MonitorRects();
    SetTimer(window_, kScreensTimer, kScreensCheckMs, nullptr);
    LockSetForegroundWindow(LSFW_LOCK);
}

void KeptPlacement::Release() {
    if (!bounds_) return;
    KillTimer(window_, kScreensTimer);
    LockSetForegroundWindow(LSFW_UNLOCK);
    bounds_.reset();
}

bool KeptPlacement::OnMessage(UINT message, WPARAM wParam) {
    if (message == kRestoreMessage) {
        restorePending_ = false;
        if (bounds_ && Drifted()) Restore();
        return true;
    }
    if (message == WM_TIMER && wParam == kScreensTimer) {
        if (bounds_ && !SameMonitors(MonitorRects(), screens_)) AnnounceChangedScreens();
        return true;
    }
    // The restore waits for the change to finish: a minimise, say, goes on to activate another window after
    // the window has moved.
    const bool placementChanged = message == WM_WINDOWPOSCHANGED || message == WM_SHOWWINDOW || message == WM_SIZE ||
                                  (message == WM_ACTIVATEAPP && !wParam);
    if (placementChanged && bounds_ && !restorePending_ && Drifted())
        restorePending_ = PostMessageW(window_, kRestoreMessage, 0, 0) != FALSE;
    return false;
}

bool KeptPlacement::Drifted() const {
    RECT now;
    GetWindowRect(window_, &now);
    return !IsWindowVisible(window_) || IsIconic(window_) || !EqualRect(&now, &*bounds_) ||
           !(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) || !ProgramHasTheForeground();
}

// A hidden or minimised window lost the keyboard too, so it takes it back. The keyboard goes back to the window
// that the program last had active: a dialog that the window owns, or the window itself. Windows lets a program
// that is not in the foreground take it when it received the last input, as the program has when another program
// took the foreground without the candidate's keys or mouse.
void KeptPlacement::Restore() {
    const bool lostActivation = !IsWindowVisible(window_) || IsIconic(window_) || !ProgramHasTheForeground();
    if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
    const RECT& b = *bounds_;
    SetWindowPos(window_, HWND_TOPMOST, b.left, b.top, b.right - b.left, b.bottom - b.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    if (!lostActivation) return;
    SetForegroundWindow(GetLastActivePopup(window_));
    LockSetForegroundWindow(LSFW_LOCK);
}

// Windows tells every top-level window of a changed resolution or a monitor plugged or unplugged with
// WM_DISPLAYCHANGE. Wine 8 tells none of them when the X screen is resized, though the monitors it reports have
// changed; so a kept window compares the monitors with those it was placed on, and when they differ it tells the
// window at the root of its owners as Windows would, which fits itself and the windows it owns to them.
void KeptPlacement::AnnounceChangedScreens() {
    screens_ = MonitorRects();
    PostMessageW(GetAncestor(window_, GA_ROOTOWNER), WM_DISPLAYCHANGE, ScreenCapability(BITSPIXEL),
                 MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
}

}  // namespace platform
