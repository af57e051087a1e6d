// The settings program's window as designed: every control with its place, text and tab order, and the ids by which
// the window's code names them.
#pragma once

#include <span>

#include "platform/ControlId.h"
#include "platform/Controls.h"

namespace settings {

class TAyarForm;

inline constexpr SIZE kAyarFormClientSize{580, 389};

namespace ayar_layout {

using platform::ControlKind;
using platform::ControlSpec;
using platform::options::kHiddenDigits;

inline constexpr int kEditLeft = 232;
inline constexpr int kFieldWidth = 248;
// The window's own face, in green for a folder that passed its check and red for one that did not.
inline constexpr platform::FontSpec kPassedFont{platform::kBaseFont.face, platform::kBaseFont.height, false,
                                                platform::Color::Fixed(0, 128, 0)};
inline constexpr platform::FontSpec kFailedFont{platform::kBaseFont.face, platform::kBaseFont.height, false,
                                                platform::Color::Fixed(192, 0, 0)};

// One control a row, as the window lists them.
// clang-format off
inline constexpr ControlSpec kAyarFormControls[] = {
    {.name = "SiraLabel", .kind = ControlKind::Label, .bounds = {12, 16, 0, 0},
     .text = "Denetim s\xFDras\xFD (alt\xFD farkl\xFD rakam):"},
    {.name = "Sira", .kind = ControlKind::Edit, .bounds = {kEditLeft, 12, 80, 21}, .color = platform::kWindowColor,
     .tabOrder = 0, .options = kHiddenDigits},
    {.name = "SiraTekrarLabel", .kind = ControlKind::Label, .bounds = {12, 44, 0, 0},
     .text = "Denetim s\xFDras\xFD, yeniden:"},
    {.name = "SiraTekrar", .kind = ControlKind::Edit, .bounds = {kEditLeft, 40, 80, 21},
     .color = platform::kWindowColor, .tabOrder = 1, .options = kHiddenDigits},
    {.name = "SiraDurum", .kind = ControlKind::Label, .bounds = {12, 70, 0, 0}},
    {.name = "KurulBaskaniLabel", .kind = ControlKind::Label, .bounds = {12, 104, 0, 0},
     .text = "S\xFDnav Kurulu Ba\xFEkan\xFD:"},
    {.name = "KurulBaskani", .kind = ControlKind::Edit, .bounds = {kEditLeft, 100, kFieldWidth, 21},
     .color = platform::kWindowColor, .tabOrder = 2},
    {.name = "Uye1Label", .kind = ControlKind::Label, .bounds = {12, 132, 0, 0}, .text = "\xDCye:"},
    {.name = "Uye1", .kind = ControlKind::Edit, .bounds = {kEditLeft, 128, kFieldWidth, 21}, .color = platform::kWindowColor,
     .tabOrder = 3},
    {.name = "Uye2Label", .kind = ControlKind::Label, .bounds = {12, 160, 0, 0}, .text = "\xDCye:"},
    {.name = "Uye2", .kind = ControlKind::Edit, .bounds = {kEditLeft, 156, kFieldWidth, 21}, .color = platform::kWindowColor,
     .tabOrder = 4},
    {.name = "YaziciLabel", .kind = ControlKind::Label, .bounds = {12, 188, 0, 0}, .text = "Yaz\xFD" "c\xFD:"},
    // The drop-down list's height is that of its list when open.
    {.name = "Yazici", .kind = ControlKind::ComboBox, .bounds = {kEditLeft, 184, kFieldWidth, 200},
     .color = platform::kWindowColor, .tabOrder = 5},
    {.name = "OrnekYazdir", .kind = ControlKind::Button, .bounds = {kEditLeft, 214, kFieldWidth, 25},
     .text = "\xD6rnek Tutanak Yazd\xFDr", .tabOrder = 6},
    {.name = "YaziciDurum", .kind = ControlKind::Label, .bounds = {12, 246, 0, 0}},
    {.name = "TutanakKlasoruLabel", .kind = ControlKind::Label, .bounds = {12, 276, 0, 0},
     .text = "Tutanak klas\xF6r\xFC:"},
    {.name = "TutanakKlasoru", .kind = ControlKind::Edit, .bounds = {kEditLeft, 272, kFieldWidth, 21},
     .color = platform::kWindowColor, .tabOrder = 7},
    {.name = "KlasorSec", .kind = ControlKind::Button, .bounds = {kEditLeft + kFieldWidth + 8, 270, 80, 25},
     .text = "Se\xE7...", .tabOrder = 8},
    // One of the three shows the folder's check: while it runs, green when PC1 can keep records there, red with the
    // reason.
    {.name = "KlasorDenetleniyor", .kind = ControlKind::Label, .bounds = {12, 302, 0, 0},
     .text = "Klas\xF6r denetleniyor...", .visible = false},
    {.name = "KlasorUygun", .kind = ControlKind::Label, .bounds = {12, 302, 0, 0},
     .text = "Klas\xF6r kullan\xFDlabilir.", .font = kPassedFont, .visible = false},
    {.name = "KlasorHata", .kind = ControlKind::Label, .bounds = {12, 302, 0, 0}, .font = kFailedFont,
     .visible = false},
    {.name = "KlasorAciklama", .kind = ControlKind::Label, .bounds = {12, 324, 0, 0},
     .text = "Klas\xF6r bo\xFE: C:\\ProgramData\\PC1\\Tutanaklar"},
    {.name = "Kaydet", .kind = ControlKind::Button, .bounds = {kEditLeft + kFieldWidth + 8 - 95, 352, 85, 25},
     .text = "Kaydet", .tabOrder = 9},
    {.name = "Vazgec", .kind = ControlKind::Button, .bounds = {kEditLeft + kFieldWidth + 8, 352, 80, 25},
     .text = "Vazge\xE7", .tabOrder = 10},
};
// clang-format on

static_assert(platform::ContainersPrecedeTheirControls(kAyarFormControls));

}  // namespace ayar_layout

using ayar_layout::kAyarFormControls;

platform::FormLayout AyarFormLayout();

// The controls that the window's code names; a name missing from the table does not compile.
namespace AyarForm {

template <platform::ControlName name>
consteval auto Control() {
    return platform::FindControl<TAyarForm, kAyarFormControls, name>();
}

inline constexpr auto Sira = Control<"Sira">();
inline constexpr auto SiraTekrar = Control<"SiraTekrar">();
inline constexpr auto SiraDurum = Control<"SiraDurum">();
inline constexpr auto KurulBaskani = Control<"KurulBaskani">();
inline constexpr auto Uye1 = Control<"Uye1">();
inline constexpr auto Uye2 = Control<"Uye2">();
inline constexpr auto Yazici = Control<"Yazici">();
inline constexpr auto TutanakKlasoru = Control<"TutanakKlasoru">();
inline constexpr auto OrnekYazdir = Control<"OrnekYazdir">();
inline constexpr auto YaziciDurum = Control<"YaziciDurum">();
inline constexpr auto KlasorSec = Control<"KlasorSec">();
inline constexpr auto KlasorDenetleniyor = Control<"KlasorDenetleniyor">();
inline constexpr auto KlasorUygun = Control<"KlasorUygun">();
inline constexpr auto KlasorHata = Control<"KlasorHata">();
inline constexpr auto Kaydet = Control<"Kaydet">();
inline constexpr auto Vazgec = Control<"Vazgec">();

}  // namespace AyarForm

}  // namespace settings
