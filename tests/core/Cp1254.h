// Lets tests write Turkish text readably: converts a UTF-8 literal to the Windows-1254 bytes the program works on.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

namespace testing_text {

inline std::string Cp1254(std::string_view utf8) {
    // Code points whose Windows-1254 byte differs from their Latin-1 value.
    static const std::map<char32_t, unsigned char> kMoved = {
        {U'Ğ', 0xD0}, {U'İ', 0xDD}, {U'Ş', 0xDE}, {U'ğ', 0xF0}, {U'ı', 0xFD}, {U'ş', 0xFE}, {U'Š', 0x8A},
        {U'š', 0x9A}, {U'Œ', 0x8C}, {U'œ', 0x9C}, {U'Ÿ', 0x9F}, {U'ƒ', 0x83}, {U'ˆ', 0x88}, {U'‘', 0x91},
        {U'’', 0x92}, {U'“', 0x93}, {U'”', 0x94}, {U'–', 0x96}, {U'—', 0x97}, {U'…', 0x85},
    };
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
        char32_t codePoint = length == 1 ? lead : lead & (length == 2 ? 0x1F : 0x0F);
        for (int k = 1; k < length; ++k) {
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        i += length;
        if (const auto moved = kMoved.find(codePoint); moved != kMoved.end()) {
            bytes.push_back(static_cast<char>(moved->second));
        } else if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF &&
                                        std::u32string_view(U"ÐÝÞðýþ").find(codePoint) == std::u32string_view::npos)) {
            bytes.push_back(static_cast<char>(codePoint));
        } else {
            throw std::invalid_argument("no Windows-1254 byte for a character of the test text");
        }
    }
    return bytes;
}

}  // namespace testing_text
