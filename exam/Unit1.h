// The exam window: the program's main window, alive as long as the process.
#pragma once

#include "platform/Window.h"

namespace exam {

class TSinavForm : public platform::Window {
public:
    TSinavForm();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace exam
