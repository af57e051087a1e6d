// A text as one line's value, and back: a line break, a tab and every other control character escaped (\n, \r, \t,
// \xHH), so that no value can make or end a line, or a tab-separated field.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// A backslash escaped too (\\), so that Unescaped gives the text back: for files that programs read.
std::string Escaped(std::string_view value);
// Nothing for a raw control character or an escape that Escaped does not write.
std::optional<std::string> Unescaped(std::string_view value);

// A backslash kept as it is: for lines that people read, where a backslash is most often a path's.
std::string ControlsEscaped(std::string_view value);

// A count written as a line's value: digits only, no sign, no space, at most 18 of them.
std::optional<std::int64_t> Count(std::string_view text);

}  // namespace platform
