// The text shown in a bar's mark, in the program's Windows-1254 bytes.
#pragma once

#include <string>
#include <string_view>

namespace geometry::chart {

// The label, one blank and the value with its digits grouped in threes, as in "Do\xF0ru 1.234".
std::string MarkText(std::string_view label, int value, std::string_view thousandsSeparator);

}  // namespace geometry::chart
