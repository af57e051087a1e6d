#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/pure/BarChartLayout.h"
#include "platform/pure/PictureFit.h"
#include "platform/pure/Scaling.h"

namespace {

using geometry::Rect;
using geometry::Size;

TEST(Scaling, DesignedLengthsAtEachDensity) {
    struct Case {
        int length, dpi, expected;
    } const cases[] = {
        {836, 96, 836}, {-11, 96, -11}, {13, 120, 16},   {-11, 120, -14}, {-11, 144, -17},
        {1, 144, 2},    {15, 144, 23},  {242, 144, 363}, {-32, 192, -64}, {45, 168, 79},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.length) + " at " + std::to_string(c.dpi));
        EXPECT_EQ(geometry::Scaled(c.length, c.dpi), c.expected);
    }
}

TEST(Scaling, BoxesThatTouchAtTheDesignedDensityTouchAtEvery) {
    const Rect boxes[] = {{2, 15, 200, 225}, {202, 15, 200, 225}, {402, 15, 200, 225}, {602, 15, 200, 225}};
    for (int dpi : {96, 100, 120, 125, 144, 168, 192}) {
        SCOPED_TRACE(dpi);
        for (int i = 1; i < 4; ++i)
            EXPECT_EQ(geometry::Scaled(boxes[i], dpi).left, geometry::Scaled(boxes[i - 1], dpi).Right());
    }
    EXPECT_EQ(geometry::Scaled(boxes[1], 96), boxes[1]);
}

// The exam window needs 700 x 500 designed pixels.
TEST(Scaling, LayoutDensityFollowsTheMonitorUntilItsScreenIsTooSmall) {
    struct Case {
        Size screen;
        int monitorDpi, expected;
    } const cases[] = {
        {{1024, 768}, 96, 96},   {{800, 600}, 96, 96},     {{640, 480}, 96, 96},     {{1920, 1080}, 144, 144},
        {{1366, 768}, 144, 144}, {{2560, 1440}, 192, 192}, {{1024, 768}, 120, 120},  {{1024, 768}, 144, 140},
        {{800, 600}, 120, 109},  {{800, 600}, 144, 109},   {{3840, 2160}, 288, 288}, {{1280, 720}, 192, 138},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.screen.width) + "x" + std::to_string(c.screen.height) + " at " +
                     std::to_string(c.monitorDpi));
        EXPECT_EQ(geometry::LayoutDpi(c.monitorDpi, c.screen, {700, 500}), c.expected);
    }
}

TEST(PictureFit, CoversTheAreaCroppedNeverStretched) {
    struct Case {
        std::string name;
        Size picture, area;
        Rect expected;
    } const cases[] = {
        {"same proportions: all of it", {800, 600}, {1024, 768}, {0, 0, 800, 600}},
        {"a wide screen cuts the bottom, keeping the top", {800, 600}, {1920, 1080}, {0, 0, 800, 450}},
        {"a tall area cuts the sides", {800, 600}, {600, 800}, {175, 0, 450, 600}},
        {"two monitors side by side", {800, 600}, {2304, 1024}, {0, 0, 800, 356}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Rect crop = geometry::CoverCrop(c.picture, c.area);
        EXPECT_EQ(crop, c.expected);
        // Proportions kept to within a source pixel.
        EXPECT_NEAR(double(crop.width) / crop.height, double(c.area.width) / c.area.height, 1.0 / crop.height * 2);
    }
}

TEST(PictureFit, ScaledPictureKeepsItsTransparentPartsAndEdgeColours) {
    // A 4 x 4 red square in an 8 x 8 transparent field, scaled 1.5 times.
    geometry::MaskedPixels source{{8, 8}, std::vector<std::uint32_t>(64), std::vector<bool>(64, true)};
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x) {
            source.colours[y * 8 + x] = 0x0000FF;
            source.transparent[y * 8 + x] = false;
        }
    const geometry::MaskedPixels scaled = geometry::ScaledPixels(source, {12, 12});
    ASSERT_EQ(scaled.colours.size(), 144u);
    int opaque = 0;
    for (int i = 0; i < 144; ++i) {
        if (scaled.transparent[i]) continue;
        ++opaque;
        EXPECT_EQ(scaled.colours[i], 0x0000FFu) << "pixel " << i;  // no dark fringe from the transparent colour
    }
    EXPECT_EQ(opaque, 36);  // the square is 6 x 6
    EXPECT_TRUE(scaled.transparent[0]);
    EXPECT_FALSE(scaled.transparent[3 * 12 + 3]);
    EXPECT_TRUE(scaled.transparent[2 * 12 + 2]);
}

TEST(BarChartGeometry, FixedLengthsGrowWithTheDensity) {
    const geometry::chart::BarInput bars[] = {{12, 40, 13}, {3, 40, 13}};
    const auto at96 = geometry::chart::LayOutBarChart(198, 155, bars);
    const auto at144 = geometry::chart::LayOutBarChart(297, 233, bars, 144);
    EXPECT_EQ(at96.bars[0].connector.height, 20);
    EXPECT_EQ(at144.bars[0].connector.height, 30);
    EXPECT_EQ(at144.bars[0].mark.width, 40 + 2 * 5);
    // Every bar's mark stays inside the frame at both densities.
    for (const auto* layout : {&at96, &at144})
        for (const auto& bar : layout->bars) EXPECT_GT(bar.mark.top, layout->plot.top);
}

}  // namespace
