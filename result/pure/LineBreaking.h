// A paragraph broken into lines that fit a width.
#pragma once

#include <string>
#include <vector>

#include "result/pure/RecordTable.h"
#include "result/pure/TextMeasure.h"

namespace result {

struct LineRun {
    int x = 0;  // from the line's start
    std::string text;
    TextStyle style;
};

struct TextLine {
    std::vector<LineRun> runs;
    int width = 0;  // to the end of its last letter: spaces at the end of a line take no room
};

// Breaks after the spaces that follow a word, so each line but the first starts with a letter and every character
// of the paragraph is in exactly one line, spaces included. A word wider than the whole width is broken between
// letters, at least one letter a line. An empty paragraph is one empty line.
std::vector<TextLine> BreakLines(const Paragraph& paragraph, int width, const TextMeasure& measure);

}  // namespace result
