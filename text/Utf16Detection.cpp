#include "text/Utf16Detection.h"

namespace text {

namespace {

// How many zero bytes there must be on the side of the high bytes for each one on the other side.
constexpr std::size_t kZerosPerStrayZero = 16;

bool HoldsTheHighBytes(std::size_t zeros, std::size_t otherZeros, std::size_t characters) {
    return zeros * 2 >= characters && otherZeros * kZerosPerStrayZero <= zeros;
}

}  // namespace

// A byte-order mark decides. Without one, the zero bytes do: every character below U+0100 has a zero high byte, and
// such are nine characters in ten of a Turkish text, with its blanks and punctuation; a text of single bytes has no
// zero byte at all, and a binary file has them on both sides. A few characters with a zero low byte (U+0100, U+2000)
// among many do not hide the text.
std::optional<ByteOrder> Utf16ByteOrder(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) {
        return ByteOrder::LittleEndian;
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return ByteOrder::BigEndian;
    }
    if (bytes.empty() || bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    std::size_t zerosFirst = 0, zerosSecond = 0;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        zerosFirst += bytes[i] == '\0';
        zerosSecond += bytes[i + 1] == '\0';
    }
    const std::size_t characters = bytes.size() / 2;
    if (HoldsTheHighBytes(zerosSecond, zerosFirst, characters)) {
        return ByteOrder::LittleEndian;
    }
    if (HoldsTheHighBytes(zerosFirst, zerosSecond, characters)) {
        return ByteOrder::BigEndian;
    }
    return std::nullopt;
}

}  // namespace text
