// The record's pages drawn with GDI on a printer's device context: the same drawing on Windows and under Wine,
// where a rich edit cannot print (EM_FORMATRANGE prints a blank page there).
#pragma once

#include <windows.h>

#include <array>

#include "platform/Gdi.h"
#include "result/pure/RecordPages.h"

namespace result {

// The record's face, 10-point Arial with Turkish letters, in its four styles, sized for the device; measures text
// as the device draws it.
class RecordFonts : public TextMeasure {
public:
    explicit RecordFonts(HDC dc);

    int Width(std::string_view text, TextStyle style) const override;
    int LineHeight() const override { return lineHeight_; }
    HFONT Font(TextStyle style) const { return fonts_[Index(style)].get(); }

private:
    static std::size_t Index(TextStyle style) { return (style.bold ? 1 : 0) + (style.underlined ? 2 : 0); }

    HDC dc_;
    std::array<platform::UniqueFont, 4> fonts_;
    int lineHeight_ = 0;
};

// A4 with 2 cm margins, in the device's units, measured from the corner of its printable area.
PageGeometry PrintedPageGeometry(HDC dc);

void DrawRecordPage(HDC dc, const RecordPage& page, const RecordFonts& fonts);

}  // namespace result
