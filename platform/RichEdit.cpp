#include "platform/RichEdit.h"

#include <commdlg.h>
#include <richedit.h>

#include <algorithm>

#include "platform/Cp1254.h"

namespace platform {

namespace {

constexpr UINT kUtf16 = 1200;

// Streams bytes into the control; streaming takes time in proportion to the text, where replacing the text in
// one message grows with the square of its lines under some versions of the control.
bool StreamIn(HWND edit, UINT format, std::string_view bytes) {
    struct Source {
        std::string_view rest;
    } source{bytes};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = [](DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) -> DWORD {
        auto& from = *reinterpret_cast<Source*>(cookie);
        const auto count = std::min<std::size_t>(from.rest.size(), static_cast<std::size_t>(wanted));
        std::copy_n(from.rest.data(), count, buffer);
        from.rest.remove_prefix(count);
        *given = static_cast<LONG>(count);
        return 0;
    };
    SendMessageW(edit, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0;
}

}  // namespace

void SetRichEditText(HWND edit, std::string_view text) {
    const std::wstring wide = WidenCp1254(text);
    StreamIn(edit, SF_TEXT | SF_UNICODE, {reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t)});
}

void TypeIntoRichEdit(HWND edit, wchar_t character) {
    StreamIn(edit, SF_TEXT | SF_UNICODE | SFF_SELECTION, {reinterpret_cast<const char*>(&character), sizeof character});
}

// A typed character replaces the selection the control already has and leaves the caret where it belongs: the control
// is asked to select only what it has not, since every selection moves and shows its caret again.
void ReplaceRichEditRange(HWND edit, int start, int length, std::string_view text) {
    const auto select = [edit](int from, int count) {
        const RichEditRange now = RichEditSelection(edit);
        if (now.start != from || now.end != from + count) SelectRichEditRange(edit, from, count);
    };
    select(start, length);
    const std::wstring wide = WidenCp1254(text);
    StreamIn(edit, SF_TEXT | SF_UNICODE | SFF_SELECTION,
             {reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t)});
    select(start + static_cast<int>(text.size()), 0);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

void ClearRichEditUndo(HWND edit) { SendMessageW(edit, EM_EMPTYUNDOBUFFER, 0, 0); }

int RichEditTextLength(HWND edit) {
    GETTEXTLENGTHEX query{GTL_USECRLF | GTL_NUMCHARS | GTL_PRECISE, kUtf16};
    return static_cast<int>(SendMessageW(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0));
}

std::string RichEditText(HWND edit) {
    std::wstring wide(static_cast<std::size_t>(RichEditTextLength(edit)) + 1, L'\0');
    GETTEXTEX query{};
    query.cb = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
    query.flags = GT_USECRLF;
    query.codepage = kUtf16;
    const auto copied =
        SendMessageW(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query), reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(static_cast<std::size_t>(copied));
    return NarrowCp1254(wide);
}

bool LoadRichEditRtf(HWND edit, std::string_view rtf) {
    if (StreamIn(edit, SF_RTF, rtf)) return true;
    SetRichEditText(edit, "");  // nothing of a rejected text stays on screen
    return false;
}

int RichEditLineCount(HWND edit) { return static_cast<int>(SendMessageW(edit, EM_GETLINECOUNT, 0, 0)); }

void SetRichEditReadOnly(HWND edit, bool readOnly) { SendMessageW(edit, EM_SETREADONLY, readOnly, 0); }

// The control keeps its formatting rectangle as it is resized, so the column is set again at every resize.
void LimitRichEditLineWidth(HWND edit, int pixels) {
    RECT client;
    GetClientRect(edit, &client);
    const int spare = static_cast<int>(client.right) - pixels;
    if (spare <= 0) {
        SendMessageW(edit, EM_SETRECT, 0, 0);  // the control's own rectangle
        return;
    }
    const RECT column{client.left + spare / 2, client.top, client.right - (spare - spare / 2), client.bottom};
    SendMessageW(edit, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&column));
}

void ScrollRichEditByWheel(HWND edit, int delta) {
    UINT linesPerNotch = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &linesPerNotch, 0);
    SendMessageW(edit, EM_LINESCROLL, 0, -delta * static_cast<int>(linesPerNotch) / WHEEL_DELTA);
}

bool ScrollRichEditByKey(HWND edit, WPARAM key) {
    const LPARAM everyLine = RichEditLineCount(edit);
    switch (key) {
    case VK_UP:
    case VK_DOWN:
        SendMessageW(edit, EM_LINESCROLL, 0, key == VK_UP ? -1 : 1);
        return true;
    case VK_PRIOR:
    case VK_NEXT:
        SendMessageW(edit, EM_SCROLL, key == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN, 0);
        return true;
    case VK_HOME:
    case VK_END:
        SendMessageW(edit, EM_LINESCROLL, 0, key == VK_HOME ? -everyLine : everyLine);
        return true;
    default:
        return false;
    }
}

void SelectRichEditRange(HWND edit, int start, int length) {
    CHARRANGE range{start, start + length};
    SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

RichEditRange RichEditSelection(HWND edit) {
    CHARRANGE range{};
    SendMessageW(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return {range.cpMin, range.cpMax};
}

int RichEditSelectionStart(HWND edit) { return RichEditSelection(edit).start; }

int RichEditSelectionLength(HWND edit) {
    const RichEditRange selection = RichEditSelection(edit);
    return selection.end - selection.start;
}

void SetRichEditSelectionStyle(HWND edit, TextStyle style) {
    CHARFORMATW format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    format.dwEffects = style == TextStyle::Underline ? CFE_UNDERLINE : 0;
    SendMessageW(edit, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

bool IsRichEditRangeUnderlined(HWND edit, int start, int length) {
    CHARRANGE saved{};
    SendMessageW(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    SelectRichEditRange(edit, start, length);
    CHARFORMATW format{};
    format.cbSize = sizeof format;
    SendMessageW(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    // The mask says which effects are the same over the whole range.
    return (format.dwMask & CFM_UNDERLINE) && (format.dwEffects & CFE_UNDERLINE);
}

}  // namespace platform
