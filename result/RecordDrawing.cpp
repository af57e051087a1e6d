#include "result/RecordDrawing.h"

#include <algorithm>

#include "platform/Cp1254.h"

namespace result {

namespace {

constexpr int kPointSize = 10;
constexpr double kMarginCm = 2.0;

int CmToDevice(double cm, int dpi) { return static_cast<int>(cm * dpi / 2.54 + 0.5); }

}  // namespace

// Every font asks for the Turkish character set, so that the font mapper never picks a face without its letters.
RecordFonts::RecordFonts(HDC dc) : dc_(dc) {
    const int height = -MulDiv(kPointSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    for (const bool bold : {false, true}) {
        for (const bool underlined : {false, true}) {
            fonts_[Index({bold, underlined})] = platform::UniqueFont(
                CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, underlined, FALSE, TURKISH_CHARSET,
                            OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Arial"));
        }
    }
    TEXTMETRICW metrics{};
    platform::SelectedObject selected(dc_, Font({}));
    GetTextMetricsW(dc_, &metrics);
    lineHeight_ = metrics.tmHeight + metrics.tmExternalLeading;
}

int RecordFonts::Width(std::string_view text, TextStyle style) const {
    const std::wstring wide = platform::WidenCp1254(text);
    platform::SelectedObject selected(dc_, Font(style));
    SIZE size{};
    GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

PageGeometry PrintedPageGeometry(HDC dc) {
    PageGeometry page;
    page.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    page.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    page.width = GetDeviceCaps(dc, HORZRES);
    page.height = GetDeviceCaps(dc, VERTRES);
    const int offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX), offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    const int paperWidth = GetDeviceCaps(dc, PHYSICALWIDTH), paperHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
    const int marginX = CmToDevice(kMarginCm, page.dpiX), marginY = CmToDevice(kMarginCm, page.dpiY);
    page.marginLeft = std::max(0, marginX - offsetX);
    page.marginTop = std::max(0, marginY - offsetY);
    page.marginRight = std::max(0, marginX - (paperWidth - offsetX - page.width));
    page.marginBottom = std::max(0, marginY - (paperHeight - offsetY - page.height));
    return page;
}

void DrawRecordPage(HDC dc, const RecordPage& page, const RecordFonts& fonts) {
    const HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (const PlacedBar& bar : page.bars) {
        const RECT rect{bar.x, bar.y, bar.x + bar.width, bar.y + bar.height};
        FillRect(dc, &rect, black);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    for (const PlacedText& text : page.texts) {
        const std::wstring wide = platform::WidenCp1254(text.text);
        platform::SelectedObject selected(dc, fonts.Font(text.style));
        ExtTextOutW(dc, text.x, text.y, 0, nullptr, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
    }
}

}  // namespace result
