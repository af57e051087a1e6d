// The filled record laid out on pages: every line of every cell and every border at its place in device units.
#pragma once

#include <string>
#include <vector>

#include "result/pure/RecordTable.h"
#include "result/pure/TextMeasure.h"

namespace result {

// A sheet and its margins in device units, and the device's resolution to turn the template's twips into them.
struct PageGeometry {
    int width = 0, height = 0;
    int marginLeft = 0, marginTop = 0, marginRight = 0, marginBottom = 0;
    int dpiX = 0, dpiY = 0;
};

struct PlacedText {
    int x = 0, y = 0;  // the top left of the text
    std::string text;  // Windows-1254
    TextStyle style;
};

// A border: a filled rectangle.
struct PlacedBar {
    int x = 0, y = 0, width = 0, height = 0;
};

struct RecordPage {
    std::vector<PlacedText> texts;
    std::vector<PlacedBar> bars;
};

// Lays the rows out one below the other from the top margin. The first row heads every page, its $s$ and $t$
// filled with the page's number and the count of pages. A row of one cell is running text: when its lines do not
// all fit on the page it breaks after those that do (two at least), and goes on below the heading row of the next
// page; any other row that does not fit moves whole to the next page, taking along a caption (a row of bold text
// only) left last on its page, so no caption ends a page. Every row is at least as high as its \trrh.
std::vector<RecordPage> LayOutPages(const RecordTable& filled, const PageGeometry& page, const TextMeasure& measure);

}  // namespace result
