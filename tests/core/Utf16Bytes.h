// UTF-16 files as a Unicode editor writes them, in either byte order, with or without a byte-order mark.
#pragma once

#include <string>
#include <string_view>

namespace testing_text {

inline std::string Utf16Bytes(std::u16string_view text, bool bigEndian, bool byteOrderMark) {
    std::string bytes;
    const auto append = [&bytes, bigEndian](char16_t c) {
        const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    };
    if (byteOrderMark) append(u'\xFEFF');
    for (const char16_t c : text) append(c);
    return bytes;
}

}  // namespace testing_text
