#include "platform/pure/LineEscaping.h"

#include <charconv>

namespace platform {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsControl(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string EscapedWith(std::string_view value, bool backslashes) {
    std::string escaped;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' && backslashes)
            escaped += "\\\\";
        else if (c == '\n')
            escaped += "\\n";
        else if (c == '\r')
            escaped += "\\r";
        else if (c == '\t')
            escaped += "\\t";
        else if (IsControl(byte))
            escaped += {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
        else
            escaped += c;
    }
    return escaped;
}

}  // namespace

std::string Escaped(std::string_view value) { return EscapedWith(value, true); }

std::string ControlsEscaped(std::string_view value) { return EscapedWith(value, false); }

std::optional<std::string> Unescaped(std::string_view value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (IsControl(static_cast<unsigned char>(c))) return std::nullopt;
        if (c != '\\') {
            text += c;
            continue;
        }
        if (++i == value.size()) return std::nullopt;
        switch (value[i]) {
        case '\\':
            text += '\\';
            break;
        case 'n':
            text += '\n';
            break;
        case 'r':
            text += '\r';
            break;
        case 't':
            text += '\t';
            break;
        case 'x': {
            if (i + 2 >= value.size()) return std::nullopt;
            const int high = HexValue(value[i + 1]), low = HexValue(value[i + 2]);
            if (high < 0 || low < 0) return std::nullopt;
            text += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return text;
}

std::optional<std::int64_t> Count(std::string_view text) {
    std::int64_t value = 0;
    if (text.empty() || text.size() > 18 || text[0] == '-' || text[0] == '+') return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace platform
