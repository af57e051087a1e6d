// Byte-to-byte tables shared by the upper-casing, the word key and the punctuation blanking.
// Every table maps one byte to one byte, so mapped text keeps its length and positions.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace text {

using ByteMap = std::array<unsigned char, 256>;

constexpr ByteMap IdentityMap() {
    ByteMap map{};
    for (int byte = 0; byte < 256; ++byte) {
        map[byte] = static_cast<unsigned char>(byte);
    }
    return map;
}

// The identity map, except that each byte of `from` goes to the byte at the same place in `to`.
consteval ByteMap MapBytes(std::string_view from, std::string_view to) {
    if (from.size() != to.size()) {
        throw "MapBytes: the two byte lists differ in length";
    }
    ByteMap map = IdentityMap();
    for (std::size_t i = 0; i < from.size(); ++i) {
        map[static_cast<unsigned char>(from[i])] = static_cast<unsigned char>(to[i]);
    }
    return map;
}

inline std::string MapEachByte(std::string_view text, const ByteMap& map) {
    std::string mapped(text);
    for (char& c : mapped) {
        c = static_cast<char>(map[static_cast<unsigned char>(c)]);
    }
    return mapped;
}

// The 32 letters of the Turkish alphabet; each string splits after every escape so no letter is read as a hex digit.
inline constexpr std::string_view kTurkishLower =
    "abc\xE7"
    "defg\xF0"
    "h\xFD"
    "ijklmno\xF6"
    "pqrs\xFE"
    "tu\xFC"
    "vwxyz";
inline constexpr std::string_view kTurkishUpper =
    "ABC\xC7"
    "DEFG\xD0"
    "HI\xDD"
    "JKLMNO\xD6"
    "PQRS\xDE"
    "TU\xDC"
    "VWXYZ";
inline constexpr ByteMap kTurkishUpperMap = MapBytes(kTurkishLower, kTurkishUpper);

// Lower-case letters of Windows-1254 outside the Turkish alphabet, and their capitals; last, the modifier
// circumflex, which the platform comparison does not tell from ^.
// This is the one place to change what the word key treats as the same character.
inline constexpr ByteMap kWordKeyFoldMap = MapBytes(
    "\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF1\xF2\xF3\xF4\xF5\xF8\xF9\xFA\xFB\x9A\x9C\xFF\x88",
    "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD1\xD2\xD3\xD4\xD5\xD8\xD9\xDA\xDB\x8A\x8C\x9F^");

}  // namespace text
