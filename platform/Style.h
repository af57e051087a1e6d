// Colours and fonts as a window's layout describes them: system colours by name or fixed RGB values,
// fonts by face, stored height (negative: character height in pixels), weight and colour.
#pragma once

#include <windows.h>

namespace platform {

struct Color {
    enum class Kind { Inherited, System, Fixed } kind = Kind::Inherited;
    COLORREF value = 0;  // a COLOR_* index for system colours

    static constexpr Color System(int index) { return {Kind::System, static_cast<COLORREF>(index)}; }
    static constexpr Color Fixed(BYTE r, BYTE g, BYTE b) { return {Kind::Fixed, RGB(r, g, b)}; }
    bool IsInherited() const { return kind == Kind::Inherited; }
    COLORREF Resolve() const { return kind == Kind::System ? GetSysColor(static_cast<int>(value)) : value; }
    friend bool operator==(const Color&, const Color&) = default;
};

inline constexpr Color kButtonFace = Color::System(COLOR_BTNFACE);
inline constexpr Color kWindowColor = Color::System(COLOR_WINDOW);
inline constexpr Color kWindowText = Color::System(COLOR_WINDOWTEXT);
inline constexpr Color k3dLight = Color::System(COLOR_3DLIGHT);
inline constexpr Color kActiveCaption = Color::System(COLOR_ACTIVECAPTION);
inline constexpr Color kWhite = Color::Fixed(255, 255, 255);
inline constexpr Color kBlack = Color::Fixed(0, 0, 0);
inline constexpr Color kNavy = Color::Fixed(0, 0, 128);
inline constexpr Color kBlue = Color::Fixed(0, 0, 255);
inline constexpr Color kSilver = Color::Fixed(192, 192, 192);

struct FontSpec {
    const wchar_t* face = nullptr;  // nullptr: the container's font
    int height = 0;
    bool bold = false;
    Color color = kWindowText;

    bool IsInherited() const { return face == nullptr; }
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

inline constexpr FontSpec kInheritedFont{};

// The face every window of the program is designed in, and its base font.
inline constexpr const wchar_t* kMsSansSerif = L"MS Sans Serif";
inline constexpr FontSpec kBaseFont{kMsSansSerif, -11};

}  // namespace platform
