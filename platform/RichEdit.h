// Typed access to a "RICHEDIT" control (riched32.dll). Its window class is an ANSI one, so plain WM_SETTEXT and
// WM_GETTEXT would convert through the ANSI code page and turn Turkish letters into others on a machine that is
// not set up for Turkish; text goes through UTF-16 here instead, and comes back as Windows-1254 bytes.
// Character positions count a line break as two, as the control's text with CR LF does.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace platform {

void SetRichEditText(HWND edit, std::string_view text);
// Puts a typed character in place of the selection, as typing does, in UTF-16 whatever the machine's code page.
void TypeIntoRichEdit(HWND edit, wchar_t character);
// Puts `text` in place of `length` characters at `start`, the caret after it and in sight.
void ReplaceRichEditRange(HWND edit, int start, int length, std::string_view text);
void ClearRichEditUndo(HWND edit);
std::string RichEditText(HWND edit);  // CR LF line breaks
// Loads rich text; false, with the control left empty, when the control cannot read it as rich text.
bool LoadRichEditRtf(HWND edit, std::string_view rtf);

int RichEditLineCount(HWND edit);   // lines as displayed, wrapped ones included
int RichEditTextLength(HWND edit);  // characters, a line break counting two

void SetRichEditReadOnly(HWND edit, bool readOnly);
void LimitRichEditLineWidth(HWND edit, int pixels);
// Scrolls for a reader, leaving the caret and selection alone: by the wheel's `delta`, or by the arrow, page,
// Home or End key `key`; false for any other key.
void ScrollRichEditByWheel(HWND edit, int delta);
bool ScrollRichEditByKey(HWND edit, WPARAM key);

struct RichEditRange {
    int start = 0, end = 0;
};

void SelectRichEditRange(HWND edit, int start, int length);
RichEditRange RichEditSelection(HWND edit);
int RichEditSelectionStart(HWND edit);
int RichEditSelectionLength(HWND edit);

enum class TextStyle { Plain, Underline };
// Sets bold, italic, underline and strike-out of the selection together.
void SetRichEditSelectionStyle(HWND edit, TextStyle style);
bool IsRichEditRangeUnderlined(HWND edit, int start, int length);  // every character of the range

}  // namespace platform
