// Small rules that keep a window where it is, shared by the windows that need them.
#pragma once

#include "platform/Form.h"

namespace platform {

// A window that cannot be dragged by its caption bar: a press there lands nowhere.
inline void RefuseCaptionDrag(EventArgs& args) {
    if (args.hitTest == HTCAPTION) args.hitTest = HTNOWHERE;
}

// Alt+F4 never reaches the window's default handling, so it never closes it.
inline void CancelAltF4(EventArgs& args) {
    if (args.alt && args.key == VK_F4) args.key = 0;
}

}  // namespace platform
