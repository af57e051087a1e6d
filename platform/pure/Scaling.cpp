#include "platform/pure/Scaling.h"

#include <algorithm>

namespace geometry {

Rect Scaled(const Rect& designed, int dpi) {
    const int left = Scaled(designed.left, dpi), top = Scaled(designed.top, dpi);
    return {left, top, Scaled(designed.Right(), dpi) - left, Scaled(designed.Bottom(), dpi) - top};
}

Insets Scaled(const Insets& designed, int dpi) {
    return {Scaled(designed.left, dpi), Scaled(designed.top, dpi), Scaled(designed.right, dpi),
            Scaled(designed.bottom, dpi)};
}

int LayoutDpi(int monitorDpi, Size pixels, Size needed) {
    const int fitting = std::min(pixels.width * kDesignDpi / std::max(1, needed.width),
                                 pixels.height * kDesignDpi / std::max(1, needed.height));
    return std::max(std::min(monitorDpi, fitting), std::min(monitorDpi, kDesignDpi));
}

}  // namespace geometry
