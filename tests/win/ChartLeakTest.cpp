// The results chart is made anew with every exam window; made, painted and destroyed a thousand times, it gives
// back every GDI and USER object it took.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/BarChart.h"
#include "platform/Gdi.h"
#include "tests/win/GuiObjectCount.h"

namespace {

// Painted twice: by the window manager in a shown window, and into a bitmap as a picture of the window is.
void MakePaintAndDropAChart(HWND parent, HDC bitmapDc) {
    platform::BarChart chart(parent, {1, 1, 198, 155});
    chart.Add("Do\xF0ru", 1234, RGB(0, 128, 0));
    chart.Add("Yanl\xFD\xFE", 56, RGB(255, 0, 0));
    RECT invalid;
    ASSERT_TRUE(GetUpdateRect(chart.Handle(), &invalid, FALSE));
    UpdateWindow(chart.Handle());
    ASSERT_FALSE(GetUpdateRect(chart.Handle(), &invalid, FALSE)) << "not painted";
    SendMessageW(chart.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmapDc), PRF_CLIENT);
}

TEST(Leaks, ChartsGiveBackEveryGuiObject) {
    const platform::Unique<HWND, DestroyWindow> parent(
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr));
    const platform::UniqueMemoryDc bitmapDc(CreateCompatibleDC(nullptr));
    BITMAPINFO format{};
    format.bmiHeader = {sizeof format.bmiHeader, 200, -160, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const platform::UniqueBitmap bitmap(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    const platform::SelectedObject selected(bitmapDc.get(), bitmap.get());

    MakePaintAndDropAChart(parent.get(), bitmapDc.get());  // the first chart registers the window class
    const testing_pc1::GuiObjects before = testing_pc1::CountGuiObjects();
    for (int i = 0; i < 1000 && !testing::Test::HasFatalFailure(); ++i)
        MakePaintAndDropAChart(parent.get(), bitmapDc.get());
    const testing_pc1::GuiObjects after = testing_pc1::CountGuiObjects();
    std::printf("before: %lu GDI, %lu USER; after 1,000 charts: %lu GDI, %lu USER\n", before.gdi, before.user,
                after.gdi, after.user);
    EXPECT_EQ(after, before);
}

}  // namespace
