#include "text/Utf8.h"

namespace text {

namespace {

constexpr char32_t kLastCodePoint = 0x10FFFF;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

}  // namespace

void AppendUtf8(std::string& utf8, char32_t c) {
    const auto add = [&](char32_t byte) { utf8.push_back(static_cast<char>(byte)); };
    if (c < 0x80) {
        add(c);
    } else if (c < 0x800) {
        add(0xC0 | (c >> 6));
        add(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        add(0xE0 | (c >> 12));
        add(0x80 | ((c >> 6) & 0x3F));
        add(0x80 | (c & 0x3F));
    } else {
        add(0xF0 | (c >> 18));
        add(0x80 | ((c >> 12) & 0x3F));
        add(0x80 | ((c >> 6) & 0x3F));
        add(0x80 | (c & 0x3F));
    }
}

std::optional<char32_t> NextUtf8(std::string_view utf8, std::size_t& position) {
    const auto lead = static_cast<unsigned char>(utf8[position++]);
    if (lead < 0x80) return lead;
    // The smallest code point each length may carry: anything below it is an overlong form.
    int continuations;
    char32_t smallest;
    char32_t c;
    if (lead >= 0xC0 && lead < 0xE0) {
        continuations = 1, smallest = 0x80, c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        continuations = 2, smallest = 0x800, c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead < 0xF8) {
        continuations = 3, smallest = 0x10000, c = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (utf8.size() - position < static_cast<std::size_t>(continuations)) return std::nullopt;
    for (int k = 0; k < continuations; ++k) {
        const auto next = static_cast<unsigned char>(utf8[position + k]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (next & 0x3F);
    }
    if (c < smallest || c > kLastCodePoint || IsSurrogate(c)) return std::nullopt;
    position += continuations;
    return c;
}

std::optional<std::string> Utf16ToUtf8(std::string_view bytes, ByteOrder order) {
    if (bytes.size() % 2 != 0) return std::nullopt;
    const int high = order == ByteOrder::BigEndian ? 0 : 1;
    const auto unitAt = [&](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[i + high]) << 8 |
                                     static_cast<unsigned char>(bytes[i + 1 - high]));
    };
    std::string utf8;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t c = unitAt(i);
        if (c >= 0xDC00 && c <= 0xDFFF) return std::nullopt;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 2 >= bytes.size()) return std::nullopt;
            const char32_t low = unitAt(i + 2);
            if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        AppendUtf8(utf8, c);
    }
    return utf8;
}

}  // namespace text
