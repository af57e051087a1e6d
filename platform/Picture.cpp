#include "platform/Picture.h"

#include "platform/Gdi.h"
#include "platform/Jpeg.h"
#include "platform/Resource.h"
#include "platform/pure/PictureFit.h"

namespace platform {

Picture::Picture(std::span<const std::byte> jpeg) : jpeg_(jpeg), size_(JpegSize(jpeg)) {}

Picture Picture::FromJpegResource(const wchar_t* name) { return Picture(ResourceBytes(name, RT_RCDATA)); }

// HALFTONE averages the source pixels that a shrunk picture drops, where the default mode would leave
// ragged letters; it needs the brush origin reset after being chosen. A picture drawn at its size or larger
// drops no pixel, and is drawn in the plain mode, many times faster for a screen-sized picture.
void Picture::Draw(HDC dc, const RECT& bounds) const { DrawPart(dc, bounds, {0, 0, size_.cx, size_.cy}); }

void Picture::DrawCropped(HDC dc, const RECT& bounds) const {
    const geometry::Rect part =
        geometry::CoverCrop({size_.cx, size_.cy}, {bounds.right - bounds.left, bounds.bottom - bounds.top});
    DrawPart(dc, bounds, ToRect(part));
}

// A picture outside the area being painted is not decoded.
void Picture::DrawPart(HDC dc, const RECT& bounds, const RECT& part) const {
    if (!RectVisible(dc, &bounds)) return;
    const UniqueBitmap bitmap = DecodeJpeg(jpeg_);
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    SelectedObject selected(source.get(), bitmap.get());
    const bool shrunk =
        bounds.right - bounds.left < part.right - part.left || bounds.bottom - bounds.top < part.bottom - part.top;
    const int previousMode = SetStretchBltMode(dc, shrunk ? HALFTONE : COLORONCOLOR);
    POINT previousOrigin{};
    SetBrushOrgEx(dc, 0, 0, &previousOrigin);
    StretchBlt(dc, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, source.get(),
               part.left, part.top, part.right - part.left, part.bottom - part.top, SRCCOPY);
    SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
    SetStretchBltMode(dc, previousMode);
}

}  // namespace platform
