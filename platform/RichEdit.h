// The text of a rich-edit control in Windows-1254, whatever the machine's ANSI code page. The "RICHEDIT" class
// is an ANSI window class, so plain WM_SETTEXT/WM_GETTEXT would convert through the ANSI code page and turn the
// Turkish letters into others on a machine that is not set up for Turkish; these go through UTF-16 instead.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace platform {

void SetRichEditText(HWND edit, std::string_view text);
// The plain text with CR LF line breaks.
std::string RichEditText(HWND edit);

}  // namespace platform
