// Any program may hide, minimise, move or resize another program's window, or take it out of the topmost band.
// A window whose placement is kept goes back where the program put it as soon as that happens.
#pragma once

#include <windows.h>

#include <optional>

namespace platform {

class KeptPlacement {
public:
    // Posted by the window to itself to restore its placement once the change that moved it is over.
    static constexpr UINT kRestoreMessage = WM_APP + 0x3F0;

    // From now on the window stays shown at these bounds, topmost.
    void Keep(HWND window, const RECT& bounds);
    // The program itself is about to hide or move the window.
    void Release() { bounds_.reset(); }

    // Sees every message of the window; true when it was the restore request, which it has handled.
    bool OnMessage(UINT message);

private:
    bool Drifted() const;
    void Restore();

    HWND window_ = nullptr;
    std::optional<RECT> bounds_;
    bool restorePending_ = false;
};

}  // namespace platform
