// A picture that its container paints stretched over any rectangle, without keeping its proportions, or cropped
// to cover it in its own.
#pragma once

#include <windows.h>

#include "platform/Gdi.h"

namespace platform {

class Picture {
public:
    explicit Picture(UniqueBitmap bitmap);
    static Picture FromJpegResource(const wchar_t* name);

    SIZE Size() const { return size_; }
    void Draw(HDC dc, const RECT& bounds) const;
    void DrawCropped(HDC dc, const RECT& bounds) const;

private:
    void DrawPart(HDC dc, const RECT& bounds, const RECT& part) const;

    UniqueBitmap bitmap_;
    SIZE size_{};
};

}  // namespace platform
