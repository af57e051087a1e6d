#include "journal/pure/Bytes.h"

#include <limits>

namespace journal {

namespace {

// A 64-bit number takes at most ten bytes of seven bits.
constexpr int kMaxVarintBytes = 10;

}  // namespace

void ByteWriter::Unsigned(std::uint64_t value) {
    while (value >= 0x80) {
        bytes_ += static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    bytes_ += static_cast<char>(value);
}

void ByteWriter::Signed(std::int64_t value) {
    const auto bits = static_cast<std::uint64_t>(value);
    Unsigned((bits << 1) ^ (value < 0 ? ~std::uint64_t{0} : 0));
}

void ByteWriter::Text(std::string_view text) {
    Unsigned(text.size());
    bytes_ += text;
}

std::uint8_t ByteReader::Byte() {
    if (!ok_ || rest_.empty()) {
        Fail();
        return 0;
    }
    const auto value = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return value;
}

std::uint64_t ByteReader::Unsigned() {
    std::uint64_t value = 0;
    for (int i = 0; i < kMaxVarintBytes && ok_; ++i) {
        const std::uint8_t byte = Byte();
        value |= static_cast<std::uint64_t>(byte & 0x7F) << (7 * i);
        if (!(byte & 0x80)) return ok_ ? value : 0;
    }
    Fail();
    return 0;
}

std::uint32_t ByteReader::Unsigned32() {
    const std::uint64_t value = Unsigned();
    if (value > std::numeric_limits<std::uint32_t>::max()) {
        Fail();
        return 0;
    }
    return static_cast<std::uint32_t>(value);
}

std::int64_t ByteReader::Signed() {
    const std::uint64_t zigzag = Unsigned();
    return static_cast<std::int64_t>((zigzag >> 1) ^ (zigzag & 1 ? ~std::uint64_t{0} : 0));
}

std::string_view ByteReader::Text() {
    const std::uint64_t length = Unsigned();
    if (length > rest_.size()) {
        Fail();
        return {};
    }
    return Raw(static_cast<std::size_t>(length));
}

std::string_view ByteReader::Raw(std::size_t count) {
    if (!ok_ || count > rest_.size()) {
        Fail();
        return {};
    }
    const std::string_view taken = rest_.substr(0, count);
    rest_.remove_prefix(count);
    return taken;
}

}  // namespace journal
