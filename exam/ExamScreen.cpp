#include "exam/ExamScreen.h"

namespace exam {

void ExamScreen::Cover() {
    const RECT screen = platform::Form::PrimaryMonitorBounds();
    SetWindowPos(window_.Handle(), HWND_TOPMOST, screen.left, screen.top, screen.right - screen.left,
                 screen.bottom - screen.top, SWP_NOACTIVATE);
    covers_.CoverAllBut(screen, window_.Handle());
}

void ExamScreen::Hold() {
    const RECT screen = platform::Form::PrimaryMonitorBounds();
    window_.KeepPlacement(screen);
    ClipCursor(&screen);
    holding_ = true;
}

void ExamScreen::LetGo() {
    holding_ = false;
    ClipCursor(nullptr);
    window_.ReleasePlacement();
}

void ExamScreen::Refit() {
    Cover();
    if (holding_) Hold();
}

void ExamScreen::Activated() {
    if (holding_) Hold();
}

}  // namespace exam
