#include "platform/pure/BarChartLayout.h"

#include <algorithm>
#include <cmath>

#include "platform/pure/Scaling.h"

namespace geometry::chart {

namespace {

constexpr int kSideMarginPercent = 3;
constexpr int kTopBottomMarginPercent = 4;
constexpr int kBarWidthPercent = 70;
constexpr int kMaxBands = 256;
constexpr int kMarkPaddingX = 3;    // the frame and the space beside the text
constexpr int kMarkPaddingY = 2;    // the frame and the space above and below the text
constexpr int kFrameClearance = 3;  // between the plot frame's top line and the tallest bar's mark

int PercentOf(int length, int percent) { return (length * percent + 50) / 100; }

int ScaledHeight(int tallest, int value, int maxValue) {
    if (maxValue == 0) return 0;
    return static_cast<int>((2LL * tallest * value + maxValue) / (2LL * maxValue));
}

std::uint32_t Blend(std::uint32_t from, std::uint32_t to, int step, int steps) {
    std::uint32_t blended = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>((from >> shift) & 0xFF);
        const int b = static_cast<int>((to >> shift) & 0xFF);
        blended |= static_cast<std::uint32_t>(std::lround(a + (b - a) * static_cast<double>(step) / steps)) << shift;
    }
    return blended;
}

}  // namespace

Layout LayOutBarChart(int clientWidth, int clientHeight, std::span<const BarInput> bars, int dpi) {
    const int paddingX = Scaled(kMarkPaddingX, dpi), paddingY = Scaled(kMarkPaddingY, dpi);
    const int connector = Scaled(kConnectorLength, dpi);
    const int marginX = PercentOf(clientWidth, kSideMarginPercent);
    const int marginY = PercentOf(clientHeight, kTopBottomMarginPercent);
    Layout layout{.plot = {marginX, marginY, clientWidth - 2 * marginX, clientHeight - 2 * marginY}, .bars = {}};
    const Rect& plot = layout.plot;

    int maxValue = 0;
    int tallestMark = 0;
    for (const BarInput& input : bars) {
        maxValue = std::max(maxValue, input.value);
        tallestMark = std::max(tallestMark, input.markTextHeight + 2 * paddingY);
    }
    // The scale is chosen so that even the tallest bar's mark stays inside the frame.
    const int tallest = std::max(0, plot.height - tallestMark - connector - Scaled(kFrameClearance, dpi));

    const int count = static_cast<int>(bars.size());
    for (int i = 0; i < count; ++i) {
        const int slotLeft = plot.left + plot.width * i / count;
        const int slotWidth = plot.left + plot.width * (i + 1) / count - slotLeft;
        const int barWidth = PercentOf(slotWidth, kBarWidthPercent);
        const int barLeft = slotLeft + (slotWidth - barWidth) / 2;
        const int barHeight = ScaledHeight(tallest, bars[i].value, maxValue);
        const int barTop = plot.Bottom() - barHeight;

        // A bar without height shows only as the frame's bottom line, so its connector stops above that line.
        const int topEdge = barHeight > 0 ? barTop : plot.Bottom() - 1;
        const int centre = barLeft + barWidth / 2;
        const int markWidth = bars[i].markTextWidth + 2 * paddingX;
        const int markHeight = bars[i].markTextHeight + 2 * paddingY;
        const int markBottom = topEdge - connector;
        layout.bars.push_back({.bar = {barLeft, barTop, barWidth, barHeight},
                               .connector = {centre, markBottom, 1, connector},
                               .mark = {centre - markWidth / 2, markBottom - markHeight, markWidth, markHeight}});
    }
    return layout;
}

std::vector<Band> GradientBands(int top, int bottom, std::uint32_t baseColour, std::uint32_t topColour) {
    const int height = bottom - top;
    const int count = std::min(height, kMaxBands);
    std::vector<Band> bands;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t colour = count == 1 ? baseColour : Blend(topColour, baseColour, i, count - 1);
        bands.push_back({top + height * i / count, top + height * (i + 1) / count, colour});
    }
    return bands;
}

}  // namespace geometry::chart
