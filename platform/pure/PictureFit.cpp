#include "platform/pure/PictureFit.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace geometry {

Rect CoverCrop(Size picture, Size area) {
    if (area.width <= 0 || area.height <= 0) return {0, 0, picture.width, picture.height};
    const long long wide = static_cast<long long>(picture.width) * area.height;
    const long long tall = static_cast<long long>(area.width) * picture.height;
    if (wide > tall) {  // the picture is wider than the area: its sides are cut
        const int width =
            static_cast<int>((static_cast<long long>(picture.height) * area.width + area.height / 2) / area.height);
        return {(picture.width - width) / 2, 0, width, picture.height};
    }
    // The picture is taller than the area: its bottom is cut, and the title at its top stays whole.
    const int height =
        static_cast<int>((static_cast<long long>(picture.width) * area.height + area.width / 2) / area.width);
    return {0, 0, picture.width, height};
}

MaskedPixels ScaledPixels(const MaskedPixels& source, Size size) {
    MaskedPixels scaled{size, std::vector<std::uint32_t>(std::size_t(size.width) * size.height),
                        std::vector<bool>(std::size_t(size.width) * size.height)};
    const Size from = source.size;
    for (int y = 0; y < size.height; ++y) {
        // Pixel centres of the scaled picture, in the source's coordinates.
        const double sy = std::clamp((y + 0.5) * from.height / size.height - 0.5, 0.0, from.height - 1.0);
        const int y0 = static_cast<int>(sy), y1 = std::min(y0 + 1, from.height - 1);
        for (int x = 0; x < size.width; ++x) {
            const double sx = std::clamp((x + 0.5) * from.width / size.width - 0.5, 0.0, from.width - 1.0);
            const int x0 = static_cast<int>(sx), x1 = std::min(x0 + 1, from.width - 1);
            double weightSum = 0, channels[3] = {};
            for (const auto& [px, py, w] :
                 {std::tuple{x0, y0, (1 - (sx - x0)) * (1 - (sy - y0))},
                  std::tuple{x1, y0, (sx - x0) * (1 - (sy - y0))}, std::tuple{x0, y1, (1 - (sx - x0)) * (sy - y0)},
                  std::tuple{x1, y1, (sx - x0) * (sy - y0)}}) {
                const std::size_t at = std::size_t(py) * from.width + px;
                if (source.transparent[at]) continue;
                weightSum += w;
                for (int c = 0; c < 3; ++c) channels[c] += w * ((source.colours[at] >> (8 * c)) & 0xFF);
            }
            const std::size_t to = std::size_t(y) * size.width + x;
            if (weightSum < 0.5) {
                scaled.transparent[to] = true;
                continue;
            }
            std::uint32_t colour = 0;
            for (int c = 0; c < 3; ++c)
                colour |= static_cast<std::uint32_t>(std::lround(std::min(255.0, channels[c] / weightSum))) << (8 * c);
            scaled.colours[to] = colour;
        }
    }
    return scaled;
}

}  // namespace geometry
