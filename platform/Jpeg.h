// JPEG pictures decoded with libjpeg into bitmaps GDI can draw.
#pragma once

#include <cstddef>
#include <span>

#include "platform/Gdi.h"

namespace platform {

// A 32-bit top-down DIB section. Data that does not decode cleanly, a picture cut short included,
// throws std::runtime_error with libjpeg's reason.
UniqueBitmap DecodeJpeg(std::span<const std::byte> data);
// The picture's size, from its headers alone; throws as DecodeJpeg when they do not read.
SIZE JpegSize(std::span<const std::byte> data);

}  // namespace platform
