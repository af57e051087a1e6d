#include "platform/WordComparison.h"

#include <windows.h>

#include "platform/Cp1254.h"

namespace platform {

// The wide API is used on purpose: the ANSI one would read the bytes in the machine's code page,
// which turns ı, ş and ğ into other letters on a machine that is not set up for Turkish.
bool WordsEqual(std::string_view left, std::string_view right) {
    const std::wstring wideLeft = WidenCp1254(left), wideRight = WidenCp1254(right);
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideLeft.data(), static_cast<int>(wideLeft.size()),
                          wideRight.data(), static_cast<int>(wideRight.size())) == CSTR_EQUAL;
}

std::string WordSortKey(std::string_view word) {
    const std::wstring wide = WidenCp1254(word);
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int size = static_cast<int>(wide.size());
    std::string key(LCMapStringW(LOCALE_USER_DEFAULT, kFlags, wide.data(), size, nullptr, 0), '\0');
    // With LCMAP_SORTKEY the destination is a byte buffer and its size is counted in bytes.
    LCMapStringW(LOCALE_USER_DEFAULT, kFlags, wide.data(), size, reinterpret_cast<LPWSTR>(key.data()),
                 static_cast<int>(key.size()));
    return key;
}

}  // namespace platform
