// The exam record's template as a table: the RTF rows of resources/TESTDOC.rtf read into rows of cells holding
// paragraphs of styled text. No Windows header: the template's reading, its filling and its pages are tested
// natively; the printer only draws what they give.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace result {

struct TextStyle {
    bool bold = false;
    bool underlined = false;
    friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

// Text of one style; Windows-1254.
struct TextRun {
    std::string text;
    TextStyle style;
    friend bool operator==(const TextRun&, const TextRun&) = default;
};

enum class Alignment { Left, Center, Right };

struct Paragraph {
    Alignment alignment = Alignment::Left;
    std::vector<TextRun> runs;
    friend bool operator==(const Paragraph&, const Paragraph&) = default;
};

struct CellBorders {
    bool top = false, left = false, bottom = false, right = false;
    int widthTwips = 0;  // the widest of the cell's borders
    friend bool operator==(const CellBorders&, const CellBorders&) = default;
};

struct TableCell {
    int rightTwips = 0;  // the cell's right edge from the row's left edge (\cellx)
    CellBorders borders;
    std::vector<Paragraph> paragraphs;
};

struct TableRow {
    int leftTwips = 0;       // \trleft
    int gapTwips = 0;        // \trgaph: the space between a cell's edge and its text
    int minHeightTwips = 0;  // \trrh
    std::vector<TableCell> cells;
};

struct RecordTable {
    std::vector<TableRow> rows;
};

// Reads the rows of a template made of \trowd ... \row groups; control words outside that set are passed over.
// Throws std::invalid_argument when a row holds more cells than it defines.
RecordTable ParseRecordTemplate(std::string_view rtf);

}  // namespace result
