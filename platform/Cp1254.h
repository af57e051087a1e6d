// The program's text is Windows-1254 bytes whatever the machine's ANSI code page is; it is converted
// exactly once, here, where it meets the UTF-16 Windows API.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::wstring WidenCp1254(std::string_view text);
std::string NarrowCp1254(std::wstring_view text);
// Paths and printer names in the settings file are UTF-8.
std::wstring WidenUtf8(std::string_view text);
std::string NarrowUtf8(std::wstring_view text);

}  // namespace platform
