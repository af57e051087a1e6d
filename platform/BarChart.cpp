#include "platform/BarChart.h"

#include <iterator>
#include <utility>

#include "platform/Cp1254.h"
#include "platform/Gdi.h"
#include "platform/SystemReason.h"
#include "platform/pure/BarChartLayout.h"
#include "platform/pure/BarChartText.h"

namespace platform {

namespace {

namespace chart = geometry::chart;

constexpr WindowClass kChartClass{L"TChart", CS_HREDRAW | CS_VREDRAW, nullptr};  // Paint covers every pixel
constexpr COLORREF kGradientTop = RGB(255, 255, 255);
constexpr COLORREF kConnectorColour = RGB(255, 255, 255);
constexpr COLORREF kMarkColour = RGB(255, 255, 128);
constexpr FontSpec kMarkFont{L"Arial", -11};  // 8 points at the 96 pixels per inch the program is laid out in

// Marks group digits as the user's regional settings do, like every other number Windows shows.
std::string UserThousandsSeparator() {
    wchar_t separator[8]{};
    if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, std::size(separator)))
        ThrowLastError("GetLocaleInfo failed for the thousands separator");
    return NarrowCp1254(separator);
}

void Fill(HDC dc, const geometry::Rect& r, COLORREF colour) {
    const RECT rect = ToRect(r);
    SetDCBrushColor(dc, colour);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// Draws with the pen and brush selected into `dc`.
void DrawRectangle(HDC dc, const geometry::Rect& r) { Rectangle(dc, r.left, r.top, r.Right(), r.Bottom()); }

}  // namespace

BarChart::BarChart(HWND parent, const geometry::Rect& bounds) : thousandsSeparator_(UserThousandsSeparator()) {
    Create(kChartClass, L"",
           {.style = WS_CHILD | WS_VISIBLE,
            .bounds = {bounds.left, bounds.top, bounds.width, bounds.height},
            .owner = parent});
}

void BarChart::SetDpi(int dpi) {
    dpi_ = dpi;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void BarChart::Clear() {
    bars_.clear();
    InvalidateRect(Handle(), nullptr, FALSE);
}

void BarChart::Add(std::string label, int value, COLORREF colour) {
    bars_.push_back({std::move(label), value, colour});
    InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT BarChart::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        Paint(BeginPaint(Handle(), &ps));
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        return Window::HandleMessage(message, wParam, lParam);
    }
}

void BarChart::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    Fill(dc, {0, 0, client.right, client.bottom}, GetSysColor(COLOR_BTNFACE));

    const SelectedObject font(dc, fonts_.Get(kMarkFont, dpi_));
    std::vector<std::wstring> markTexts;
    std::vector<chart::BarInput> inputs;
    for (const Bar& bar : bars_) {
        const std::wstring& text =
            markTexts.emplace_back(WidenCp1254(chart::MarkText(bar.label, bar.value, thousandsSeparator_)));
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        inputs.push_back({bar.value, extent.cx, extent.cy});
    }
    const chart::Layout layout = chart::LayOutBarChart(client.right, client.bottom, inputs, dpi_);

    const SelectedObject pen(dc, GetStockObject(BLACK_PEN));
    const SelectedObject brush(dc, GetStockObject(NULL_BRUSH));
    DrawRectangle(dc, layout.plot);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    for (size_t i = 0; i < bars_.size(); ++i) {
        const chart::PlacedBar& placed = layout.bars[i];
        for (const chart::Band& band :
             chart::GradientBands(placed.bar.top, placed.bar.Bottom(), bars_[i].colour, kGradientTop))
            Fill(dc, {placed.bar.left, band.top, placed.bar.width, band.bottom - band.top}, band.colour);
        DrawRectangle(dc, placed.bar);
        Fill(dc, placed.connector, kConnectorColour);

        const SelectedObject markBrush(dc, GetStockObject(DC_BRUSH));
        SetDCBrushColor(dc, kMarkColour);
        DrawRectangle(dc, placed.mark);
        RECT textRect = ToRect(placed.mark);
        DrawTextW(dc, markTexts[i].c_str(), static_cast<int>(markTexts[i].size()), &textRect,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

}  // namespace platform
