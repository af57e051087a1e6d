// The exam window's hold on the screens: borderless, on top of every other window and as large as the primary
// monitor, the other monitors covered; from the candidate's entry to the next session it stays where it is and the
// mouse on its monitor.
#pragma once

#include "platform/Form.h"
#include "platform/MonitorCovers.h"

namespace exam {

class ExamScreen {
public:
    explicit ExamScreen(platform::Form& window) : window_(window) {}

    void Cover();
    void Hold();
    void LetGo();
    // A resolution changed or a monitor came or went: the window covers the primary monitor as it now is.
    void Refit();
    // The window was activated: whatever moved it meanwhile, it is held again.
    void Activated();

private:
    platform::Form& window_;
    platform::MonitorCovers covers_;
    bool holding_ = false;
};

}  // namespace exam
