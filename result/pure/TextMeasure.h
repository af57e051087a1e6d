// How wide text is on the page: the printer measures with its own fonts, the tests with invented widths.
#pragma once

#include <string_view>

#include "result/pure/RecordTable.h"

namespace result {

class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // The width of Windows-1254 text in the given style, in device units.
    virtual int Width(std::string_view text, TextStyle style) const = 0;
    // The distance from one line's top to the next line's, in device units.
    virtual int LineHeight() const = 0;
};

}  // namespace result
