// Where the results chart puts its plotting frame, bars, marks and the lines joining them, for a given client
// size; the chart control only measures the mark texts and draws what this returns.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/pure/Docking.h"

namespace geometry::chart {

struct BarInput {
    int value = 0;  // a count, never negative
    int markTextWidth = 0;
    int markTextHeight = 0;
};

struct PlacedBar {
    Rect bar;        // zero height for a value of 0, standing on the frame's bottom line
    Rect connector;  // one pixel wide, from the mark's bottom edge down to the bar's top line
    Rect mark;       // the framed box, its text centred inside
};

struct Layout {
    Rect plot;  // framed by a thin line
    std::vector<PlacedBar> bars;
};

constexpr int kConnectorLength = 20;  // at 96 dpi

// `dpi`: the density the chart's fixed lengths (the connectors, the marks' padding) are scaled to.
Layout LayOutBarChart(int clientWidth, int clientHeight, std::span<const BarInput> bars, int dpi = 96);

// Colours are three 8-bit channels in the low 24 bits (a COLORREF); each channel is blended on its own.
struct Band {
    int top = 0;
    int bottom = 0;  // exclusive
    std::uint32_t colour = 0;
};

// Horizontal bands filling rows [top, bottom): `topColour` in the first, `baseColour` in the last, at most 256.
std::vector<Band> GradientBands(int top, int bottom, std::uint32_t baseColour, std::uint32_t topColour);

}  // namespace geometry::chart
