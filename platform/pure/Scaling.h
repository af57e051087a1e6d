// The windows are designed in pixels at 96 dots per inch; these put a designed length on a screen of any density
// and size.
#pragma once

#include "platform/pure/Docking.h"

namespace geometry {

inline constexpr int kDesignDpi = 96;

struct Size {
    int width = 0, height = 0;
};

// A designed length at `dpi`, to the nearest pixel, halves away from zero (as MulDiv rounds).
constexpr int Scaled(int length, int dpi) {
    const long long product = static_cast<long long>(length) * dpi;
    return static_cast<int>(product >= 0 ? (product + kDesignDpi / 2) / kDesignDpi
                                         : -((-product + kDesignDpi / 2) / kDesignDpi));
}

// Edges are scaled rather than sizes, so that boxes that touch at 96 dpi touch at every density.
Rect Scaled(const Rect& designed, int dpi);
Insets Scaled(const Insets& designed, int dpi);

// The density a window is laid out at on a monitor: the monitor's own, lowered (no further than the designed 96)
// where the `needed` designed pixels would not fit on the monitor's `pixels` at it.
int LayoutDpi(int monitorDpi, Size pixels, Size needed);

}  // namespace geometry
