#include "platform/KeyTranslator.h"

#include <array>

#include "platform/KeyboardState.h"

namespace platform {

namespace {

constexpr wchar_t kOwnKeysProperty[] = L"PC1.OwnKeys";
constexpr int kMostAltCodeDigits = 4;

// The keypad's digit keys, also when Num Lock is off and they send the keys printed on them beside the digits; the
// keys of the same names between the main keys and the keypad are extended ones.
int KeypadDigit(WPARAM key, LPARAM lParam) {
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return static_cast<int>(key - VK_NUMPAD0);
    if (lParam & (1 << 24)) return -1;
    constexpr std::array<WPARAM, 10> kWithoutNumLock{VK_INSERT, VK_END,   VK_DOWN, VK_NEXT, VK_LEFT,
                                                     VK_CLEAR,  VK_RIGHT, VK_HOME, VK_UP,   VK_PRIOR};
    for (int digit = 0; digit < 10; ++digit)
        if (kWithoutNumLock[digit] == key) return digit;
    return -1;
}

UINT CodePageOfLayout(LCTYPE which) {
    const LANGID language = LOWORD(reinterpret_cast<UINT_PTR>(GetKeyboardLayout(0)));
    UINT codePage = 0;
    if (!GetLocaleInfoW(MAKELCID(language, SORT_DEFAULT), which | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(wchar_t)))
        return which == LOCALE_IDEFAULTANSICODEPAGE ? CP_ACP : CP_OEMCP;
    return codePage;
}

std::wstring AltCodeCharacter(unsigned code, bool leadingZero) {
    const char byte = static_cast<char>(code % 256);
    if (byte == 0) return {};
    const UINT codePage = CodePageOfLayout(leadingZero ? LOCALE_IDEFAULTANSICODEPAGE : LOCALE_IDEFAULTCODEPAGE);
    wchar_t character = 0;
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &byte, 1, &character, 1) == 1
               ? std::wstring(1, character)
               : std::wstring();
}

}  // namespace

std::wstring KeyTranslator::Translate(UINT message, WPARAM key, LPARAM lParam) {
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) return KeyDown(key, lParam);
    if ((message != WM_KEYUP && message != WM_SYSKEYUP) || key != VK_MENU || altCodeDigits_ == 0) return {};
    const bool typed = altCodeDigits_ <= kMostAltCodeDigits;
    altCodeDigits_ = 0;
    return typed ? AltCodeCharacter(altCode_, altCodeLeadingZero_) : std::wstring();
}

std::wstring KeyTranslator::KeyDown(WPARAM key, LPARAM lParam) {
    if (KeyHeld(VK_MENU) && !KeyHeld(VK_CONTROL)) {
        const int digit = KeypadDigit(key, lParam);
        if (digit < 0) {
            if (key != VK_MENU) altCodeDigits_ = 0;
            return {};
        }
        if (altCodeDigits_ == 0) {
            altCode_ = 0;
            altCodeLeadingZero_ = digit == 0;
        }
        ++altCodeDigits_;
        altCode_ = (altCode_ * 10 + static_cast<unsigned>(digit)) % 10000;
        return {};
    }
    altCodeDigits_ = 0;
    const std::array<BYTE, 256> state = KeyStateForTyping();
    std::array<wchar_t, 8> made{};
    const int count = ToUnicodeEx(static_cast<UINT>(key), HIWORD(lParam), state.data(), made.data(),
                                  static_cast<int>(made.size()), 0, GetKeyboardLayout(0));
    // A dead key (-1) is kept by the system for the next key.
    return count > 0 ? std::wstring(made.data(), static_cast<std::size_t>(count)) : std::wstring();
}

void TranslateOwnKeys(HWND hwnd) { SetPropW(hwnd, kOwnKeysProperty, reinterpret_cast<HANDLE>(1)); }

bool TranslatesOwnKeys(HWND hwnd) { return hwnd && GetPropW(hwnd, kOwnKeysProperty); }

void ForgetOwnKeys(HWND hwnd) { RemovePropW(hwnd, kOwnKeysProperty); }

}  // namespace platform
