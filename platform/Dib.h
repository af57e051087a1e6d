// The one bitmap layout whose pixels the program reads and writes itself: 32 bits, rows from the top,
// bytes blue, green, red and a fourth unused.
#pragma once

#include <windows.h>

namespace platform {

inline BITMAPINFO TopDown32BitFormat(SIZE size) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size.cx;
    format.bmiHeader.biHeight = -size.cy;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    return format;
}

}  // namespace platform
