// The journal's fields as bytes: unsigned numbers as varints (seven bits a byte, the lowest first, the top bit set on
// every byte but the last), signed ones zigzagged first so that small negative ones stay short, texts as their
// length and their bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace journal {

class ByteWriter {
public:
    void Byte(std::uint8_t value) { bytes_ += static_cast<char>(value); }
    void Unsigned(std::uint64_t value);
    void Signed(std::int64_t value);
    void Text(std::string_view text);
    void Raw(std::string_view bytes) { bytes_ += bytes; }

    const std::string& Bytes() const { return bytes_; }
    std::string Take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

// Reads bytes that may be cut or damaged anywhere: every read looks at what is left, a text is a view of the bytes
// (never a copy whose size a damaged length sets), and the first read that fails leaves the reader failed, reading
// zeros, so that a caller looks once, at the end.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : rest_(bytes) {}

    std::uint8_t Byte();
    std::uint64_t Unsigned();
    std::uint32_t Unsigned32();
    std::int64_t Signed();
    std::string_view Text();
    std::string_view Raw(std::size_t count);

    // A read whose bytes made no sense to its caller.
    void Fail() { ok_ = false; }
    bool Ok() const { return ok_; }
    // Every byte read, and none wrong.
    bool Finished() const { return ok_ && rest_.empty(); }
    std::size_t Left() const { return rest_.size(); }

private:
    std::string_view rest_;
    bool ok_ = true;
};

}  // namespace journal
