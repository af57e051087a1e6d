// A picture that its container paints stretched over any rectangle, without keeping its proportions, or cropped
// to cover it in its own.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>

namespace platform {

// Holds its picture compressed and decodes it whenever it is drawn: a screen-sized picture decoded would hold three
// megabytes for as long as its window stands, for a paint that comes once or seldom again.
class Picture {
public:
    // The JPEG picture held in the RCDATA resource of that name.
    static Picture FromJpegResource(const wchar_t* name);

    SIZE Size() const { return size_; }
    void Draw(HDC dc, const RECT& bounds) const;
    void DrawCropped(HDC dc, const RECT& bounds) const;

private:
    explicit Picture(std::span<const std::byte> jpeg);
    void DrawPart(HDC dc, const RECT& bounds, const RECT& part) const;

    std::span<const std::byte> jpeg_;
    SIZE size_{};
};

}  // namespace platform
