#include "platform/RichEdit.h"

#include <richedit.h>

#include "platform/Cp1254.h"

namespace platform {

namespace {
constexpr UINT kUtf16 = 1200;
}

void SetRichEditText(HWND edit, std::string_view text) {
    SETTEXTEX how{ST_DEFAULT, kUtf16};
    const std::wstring wide = WidenCp1254(text);
    SendMessageW(edit, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(wide.c_str()));
}

std::string RichEditText(HWND edit) {
    GETTEXTLENGTHEX lengthQuery{GTL_USECRLF | GTL_NUMCHARS | GTL_PRECISE, kUtf16};
    const auto length = SendMessageW(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthQuery), 0);
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    GETTEXTEX query{};
    query.cb = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
    query.flags = GT_USECRLF;
    query.codepage = kUtf16;
    const auto copied = SendMessageW(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query),
                                     reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(static_cast<std::size_t>(copied));
    return NarrowCp1254(wide);
}

}  // namespace platform
