// How a picture fills an area: the part of it that covers the area in its own proportions, and its pixels scaled
// to a larger size with a transparent colour kept sharp.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/pure/Docking.h"
#include "platform/pure/Scaling.h"

namespace geometry {

// The largest part of a `picture` that has the proportions of `area`: drawn over the area, it covers it whole,
// never stretched out of proportion. A wider picture loses equal parts at its sides; a taller one loses its
// bottom only, since a title stands at the top of a picture.
Rect CoverCrop(Size picture, Size area);

// Pixels are 0x00RRGGBB, rows top down. A transparent pixel holds no colour: it is 0 on return.
struct MaskedPixels {
    Size size;
    std::vector<std::uint32_t> colours;
    std::vector<bool> transparent;
};

// Bilinear, with the transparent pixels weighing nothing: the figure's edge pixels keep their own colours rather
// than fading into the transparent one, and a pixel is transparent where mostly transparent ones surround it.
MaskedPixels ScaledPixels(const MaskedPixels& source, Size size);

}  // namespace geometry
