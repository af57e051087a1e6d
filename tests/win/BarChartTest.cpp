// The chart is checked on its pixels: the connectors, its only pure white, lead from each mark down to its bar.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/BarChart.h"
#include "platform/Gdi.h"

namespace {

using platform::BarChart;

constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255), kMarkYellow = RGB(255, 255, 128);
constexpr COLORREF kGreen = RGB(0, 128, 0), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

struct Image {
    int width, height;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[y * width + x]; }
};

Image Render(const BarChart& chart) {
    RECT client;
    GetClientRect(chart.Handle(), &client);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const platform::UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const platform::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    {
        const platform::SelectedObject selected(dc.get(), bitmap.get());
        SendMessageW(chart.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    }
    Image image{client.right, client.bottom, {}};
    for (int i = 0; i < image.width * image.height; ++i) {
        const DWORD bgra = static_cast<const DWORD*>(bits)[i];
        image.pixels.push_back(RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF));
    }
    return image;
}

struct SeenBar {
    int connectorLength;
    int height;          // from the frame's bottom line up to the bar's top line, both included
    COLORREF base;       // just above the frame line, which covers the bar's last band
    COLORREF markBelow;  // the mark's bottom padding row
};

std::vector<SeenBar> SeeBars(const Image& image) {
    std::vector<SeenBar> bars;
    for (int x = 0; x < image.width; ++x) {
        int whiteTop = -1, whiteBottom = -1, frame = -1;
        for (int y = 0; y < image.height; ++y) {
            if (image.At(x, y) == kWhite && whiteTop < 0) whiteTop = y;
            if (image.At(x, y) == kWhite) whiteBottom = y;
            if (image.At(x, y) == kBlack) frame = y;
        }
        if (whiteTop >= 0)
            bars.push_back(
                {whiteBottom - whiteTop + 1, frame - whiteBottom, image.At(x, frame - 1), image.At(x, whiteTop - 2)});
    }
    return bars;
}

bool NearColour(COLORREF seen, COLORREF expected) {
    const auto within = [](int a, int b) { return std::abs(a - b) <= 16; };
    return within(GetRValue(seen), GetRValue(expected)) && within(GetGValue(seen), GetGValue(expected)) &&
           within(GetBValue(seen), GetBValue(expected));
}

TEST(BarChart, DrawsEachBarInItsColourScaledWithItsMarkAbove) {
    const platform::Unique<HWND, DestroyWindow> parent(
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr));
    BarChart chart(parent.get(), {1, 1, 198, 155});
    const struct {
        const char* name;
        std::vector<BarChart::Bar> bars;
    } kCases[] = {
        {"correct and wrong", {{"Do\xF0ru", 12, kGreen}, {"Yanl\xFD\xFE", 3, kRed}}},
        {"no wrong words", {{"Do\xF0ru", 40, kGreen}, {"Yanl\xFD\xFE", 0, kRed}}},
        {"nothing typed", {{"Do\xF0ru", 0, kGreen}, {"Yanl\xFD\xFE", 0, kRed}}},
        {"three bars", {{"a", 1, kBlue}, {"b", 1000, kGreen}, {"c", 500, BarChart::kSeriesColour}}},
        {"no bars", {}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        chart.Clear();
        for (const BarChart::Bar& bar : c.bars) chart.Add(bar.label, bar.value, bar.colour);
        const Image image = Render(chart);
        EXPECT_EQ(image.At(0, 0), GetSysColor(COLOR_BTNFACE));

        const std::vector<SeenBar> seen = SeeBars(image);
        ASSERT_EQ(seen.size(), c.bars.size());
        int maxValue = 0, tallest = 0;
        for (size_t i = 0; i < seen.size(); ++i) {
            maxValue = std::max(maxValue, c.bars[i].value);
            tallest = std::max(tallest, seen[i].height);
        }
        for (size_t i = 0; i < seen.size(); ++i) {
            SCOPED_TRACE(c.bars[i].label);
            EXPECT_EQ(seen[i].connectorLength, 20);
            EXPECT_EQ(seen[i].markBelow, kMarkYellow);
            EXPECT_NEAR(seen[i].height, c.bars[i].value ? 1.0 * tallest * c.bars[i].value / maxValue : 1.0, 1.0);
            if (seen[i].height > 2) {
                EXPECT_PRED2(NearColour, seen[i].base, c.bars[i].colour);
            }
        }
    }
}

}  // namespace
