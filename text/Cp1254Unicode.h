// Windows-1254, the program's own text, against Unicode: the one table of the code page, for the files the program
// reads from or writes for others (UTF-8 settings, a UTF-8 records file). The Windows API does the same with
// MultiByteToWideChar; this is the same mapping without it, so that it is tested natively.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace text {

// The seven bytes the code page leaves unassigned map to the C1 controls of the same value, as Windows maps them.
char32_t Cp1254ToUnicode(unsigned char byte);
std::optional<char> UnicodeToCp1254(char32_t codePoint);

std::string Cp1254ToUtf8(std::string_view cp1254);

struct Cp1254Conversion {
    std::string text;                      // Windows-1254, a '?' for each character without a Windows-1254 form
    std::optional<char32_t> firstMissing;  // the first such character; an invalid UTF-8 sequence counts as U+FFFD
};
Cp1254Conversion Utf8ToCp1254(std::string_view utf8);

}  // namespace text
