// UTF-8 and UTF-16 as they come from files written elsewhere (the installation's settings), and UTF-8 as the files
// the program writes for others (the records file, file names) need it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "text/Utf16Detection.h"

namespace text {

void AppendUtf8(std::string& utf8, char32_t codePoint);

// The character that starts at `position`, which then moves past it. A sequence that is not well-formed UTF-8
// (cut short, overlong, a surrogate, beyond U+10FFFF, a stray continuation byte) gives nothing, and `position` moves
// past its first byte.
std::optional<char32_t> NextUtf8(std::string_view utf8, std::size_t& position);

// UTF-16 bytes in the given order as UTF-8; nothing for an odd byte count or a surrogate without its pair.
std::optional<std::string> Utf16ToUtf8(std::string_view bytes, ByteOrder order);

}  // namespace text
