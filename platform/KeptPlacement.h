// Any program may hide, minimise, move or resize another program's window, take it out of the topmost band, or
// take the foreground (and with it the keyboard) for a window of its own. A window whose placement is kept goes
// back where the program put it, and takes the foreground back, as soon as that happens.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

namespace platform {

class KeptPlacement {
public:
    // Posted by the window to itself to restore its placement once the change that moved it is over.
    static constexpr UINT kRestoreMessage = WM_APP + 0x3F0;
    // The window's timer that compares the monitors with those it was placed on.
    static constexpr UINT_PTR kScreensTimer = 0x5C4E;

    // From now on the window stays shown at these bounds, topmost, with the program in the foreground.
    void Keep(HWND window, const RECT& bounds);
    // The program itself is about to hide or move the window.
    void Release();

    // Sees every message of the window; true when it was one of the placement's own, which it has handled.
    bool OnMessage(UINT message, WPARAM wParam);

private:
    bool Drifted() const;
    void Restore();
    void AnnounceChangedScreens();

    HWND window_ = nullptr;
    std::optional<RECT> bounds_;
    std::vector<RECT> screens_;  // the monitors as they were when the bounds were kept
    bool restorePending_ = false;
};

}  // namespace platform
