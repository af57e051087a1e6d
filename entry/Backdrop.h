// The backdrop: a full-screen picture that hides the desktop while a candidate fills in the entry dialog, cropped
// to the screen's proportions rather than stretched to them.
#pragma once

#include "platform/Form.h"

namespace entry {

class TArkaPlan : public platform::Form {
public:
    explicit TArkaPlan(HWND owner);  // the exam window

    void Show();  // maximised over the whole screen

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace entry
