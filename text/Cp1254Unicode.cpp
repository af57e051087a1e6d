#include "text/Cp1254Unicode.h"

#include <algorithm>
#include <array>

#include "text/Utf8.h"

namespace text {

namespace {

// Bytes 0x80-0x9F; the rest of the upper half is Latin-1 but for the six Turkish letters below.
constexpr std::array<char32_t, 32> kWindowsRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x008E, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178,
};

struct TurkishLetter {
    unsigned char byte;
    char32_t codePoint;
};
constexpr TurkishLetter kTurkishLetters[] = {
    {0xD0, 0x011E}, {0xDD, 0x0130}, {0xDE, 0x015E}, {0xF0, 0x011F}, {0xFD, 0x0131}, {0xFE, 0x015F},
};

constexpr char32_t kReplacementCharacter = 0xFFFD;

}  // namespace

char32_t Cp1254ToUnicode(unsigned char byte) {
    if (byte < 0x80) return byte;
    if (byte < 0xA0) return kWindowsRange[byte - 0x80];
    for (const TurkishLetter& letter : kTurkishLetters) {
        if (letter.byte == byte) return letter.codePoint;
    }
    return byte;
}

std::optional<char> UnicodeToCp1254(char32_t codePoint) {
    if (codePoint < 0x80) return static_cast<char>(codePoint);
    if (codePoint <= 0xFF && Cp1254ToUnicode(static_cast<unsigned char>(codePoint)) == codePoint) {
        return static_cast<char>(codePoint);
    }
    for (const TurkishLetter& letter : kTurkishLetters) {
        if (letter.codePoint == codePoint) return static_cast<char>(letter.byte);
    }
    if (const auto found = std::ranges::find(kWindowsRange, codePoint); found != kWindowsRange.end()) {
        return static_cast<char>(0x80 + (found - kWindowsRange.begin()));
    }
    return std::nullopt;
}

std::string Cp1254ToUtf8(std::string_view cp1254) {
    std::string utf8;
    utf8.reserve(cp1254.size());
    for (const char byte : cp1254) AppendUtf8(utf8, Cp1254ToUnicode(static_cast<unsigned char>(byte)));
    return utf8;
}

Cp1254Conversion Utf8ToCp1254(std::string_view utf8) {
    Cp1254Conversion conversion;
    for (std::size_t position = 0; position < utf8.size();) {
        const char32_t codePoint = NextUtf8(utf8, position).value_or(kReplacementCharacter);
        const std::optional<char> byte = UnicodeToCp1254(codePoint);
        if (!byte && !conversion.firstMissing) conversion.firstMissing = codePoint;
        conversion.text.push_back(byte.value_or('?'));
    }
    return conversion;
}

}  // namespace text
