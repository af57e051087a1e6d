#include "platform/pure/BarChartText.h"

namespace geometry::chart {

std::string MarkText(std::string_view label, int value, std::string_view thousandsSeparator) {
    const std::string digits = std::to_string(value);
    std::string text(label);
    text += ' ';
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += thousandsSeparator;
        text += digits[i];
    }
    return text;
}

}  // namespace geometry::chart
