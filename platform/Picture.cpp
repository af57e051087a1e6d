#include "platform/Picture.h"

#include <utility>

#include "platform/Jpeg.h"

namespace platform {

Picture::Picture(UniqueBitmap bitmap) : bitmap_(std::move(bitmap)) {
    BITMAP info{};
    GetObjectW(bitmap_.get(), sizeof info, &info);
    size_ = {info.bmWidth, info.bmHeight};
}

Picture Picture::FromJpegResource(const wchar_t* name) { return Picture(LoadJpegResource(name)); }

// HALFTONE averages the source pixels that a shrunk picture drops, where the default mode would leave
// ragged letters; it needs the brush origin reset after being chosen. A picture drawn at its size or larger
// drops no pixel, and is drawn in the plain mode, many times faster for a screen-sized picture.
void Picture::Draw(HDC dc, const RECT& bounds) const {
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    SelectedObject selected(source.get(), bitmap_.get());
    const bool shrunk = bounds.right - bounds.left < size_.cx || bounds.bottom - bounds.top < size_.cy;
    const int previousMode = SetStretchBltMode(dc, shrunk ? HALFTONE : COLORONCOLOR);
    POINT previousOrigin{};
    SetBrushOrgEx(dc, 0, 0, &previousOrigin);
    StretchBlt(dc, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, source.get(), 0, 0,
               size_.cx, size_.cy, SRCCOPY);
    SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
    SetStretchBltMode(dc, previousMode);
}

}  // namespace platform
