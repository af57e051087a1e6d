#include "platform/KeptPlacement.h"

namespace platform {

void KeptPlacement::Keep(HWND window, const RECT& bounds) {
    window_ = window;
    bounds_ = bounds;
}

bool KeptPlacement::OnMessage(UINT message) {
    if (message == kRestoreMessage) {
        restorePending_ = false;
        if (bounds_ && Drifted()) Restore();
        return true;
    }
    // The restore waits for the change to finish: a minimise, say, goes on to activate another window after
    // the window has moved.
    const bool placementChanged = message == WM_WINDOWPOSCHANGED || message == WM_SHOWWINDOW || message == WM_SIZE;
    if (placementChanged && bounds_ && !restorePending_ && Drifted())
        restorePending_ = PostMessageW(window_, kRestoreMessage, 0, 0) != FALSE;
    return false;
}

bool KeptPlacement::Drifted() const {
    RECT now;
    GetWindowRect(window_, &now);
    return !IsWindowVisible(window_) || IsIconic(window_) || !EqualRect(&now, &*bounds_) ||
           !(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// A hidden or minimised window lost the keyboard too, so it takes it back.
void KeptPlacement::Restore() {
    const bool lostActivation = !IsWindowVisible(window_) || IsIconic(window_);
    if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
    const RECT& b = *bounds_;
    SetWindowPos(window_, HWND_TOPMOST, b.left, b.top, b.right - b.left, b.bottom - b.top,
                 SWP_SHOWWINDOW | (lostActivation ? 0 : SWP_NOACTIVATE));
    if (lostActivation) SetForegroundWindow(window_);
}

}  // namespace platform
