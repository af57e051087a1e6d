// Recognising UTF-16 among a file's bytes, so that a sample saved by a Unicode editor shows its letters whether or
// not the editor wrote a byte-order mark.
#pragma once

#include <optional>
#include <string_view>

namespace text {

enum class ByteOrder { LittleEndian, BigEndian };

// The byte order of bytes that are UTF-16 text, or nothing when they are not.
std::optional<ByteOrder> Utf16ByteOrder(std::string_view bytes);

}  // namespace text
