// The order in which the supervisor's lists show names, numbers and computer labels.
#pragma once

#include <compare>
#include <string_view>

namespace text {

// UTF-8 texts in Turkish alphabetical order (a b c ç d ... ı i ... z), upper and lower case alike, with each run of
// digits read as a number: PC2 before PC10, 0123 alike 123. Characters outside Windows-1254 come after all others.
std::weak_ordering CompareNaturally(std::string_view utf8a, std::string_view utf8b);

}  // namespace text
