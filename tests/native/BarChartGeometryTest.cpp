#include <gtest/gtest.h>

#include "platform/pure/BarChartLayout.h"
#include "platform/pure/BarChartText.h"

namespace {

using namespace geometry::chart;

TEST(BarChartGradient, BandsCoverTheBarFromWhiteAtTheTopToItsColourAtTheBase) {
    constexpr std::uint32_t kWhite = 0xFFFFFF, kGreen = 0x008000;
    const struct {
        int top, bottom;
        size_t bands;
    } kCases[] = {{50, 50, 0}, {50, 51, 1}, {20, 120, 100}, {0, 700, 256}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.bottom - c.top);
        const std::vector<Band> bands = GradientBands(c.top, c.bottom, kGreen, kWhite);
        ASSERT_EQ(bands.size(), c.bands);
        if (bands.empty()) continue;
        EXPECT_EQ(bands.front().top, c.top);
        EXPECT_EQ(bands.back().bottom, c.bottom);
        EXPECT_EQ(bands.back().colour, kGreen);
        EXPECT_EQ(bands.front().colour, bands.size() > 1 ? kWhite : kGreen);
        for (size_t i = 1; i < bands.size(); ++i) {
            EXPECT_EQ(bands[i].top, bands[i - 1].bottom);
            EXPECT_GT(bands[i].bottom, bands[i].top);
        }
    }
}

TEST(BarChartText, LabelBlankAndValueGroupedInThrees) {
    const struct {
        int value;
        const char* separator;
        const char* expected;
    } kCases[] = {
        {0, ".", "Do\xF0ru 0"},
        {999, ".", "Do\xF0ru 999"},
        {1000, ".", "Do\xF0ru 1.000"},
        {123456, ",", "Do\xF0ru 123,456"},
        {1234567, "\xA0",
         "Do\xF0ru 1\xA0"
         "234\xA0"
         "567"},
    };
    for (const auto& c : kCases) EXPECT_EQ(MarkText("Do\xF0ru", c.value, c.separator), c.expected);
}

}  // namespace
