// The unfinished exam's dialog as designed: every control with its place, text and font, and the ids by which the
// window's code names them.
#pragma once

#include <string_view>

#include "platform/ControlId.h"
#include "platform/Controls.h"

namespace exam {

class TDevamForm;

// The designed client area; the sentences about an exam whose time was up, which show only then, make it taller.
inline constexpr SIZE kDevamFormClientSize{480, 276};
inline constexpr int kTimeUpHeight = 38;

namespace devam_layout {

using platform::ControlKind;
using platform::ControlSpec;
using platform::FontSpec;
using platform::kMsSansSerif;

inline constexpr FontSpec kBoldFont{kMsSansSerif, -11, true};
inline constexpr FontSpec kWarningFont{kMsSansSerif, -11, true, platform::Color::Fixed(192, 0, 0)};
inline constexpr int kValueLeft = 150;  // the exam's values stand in one column, right of their names

// The sentences about an exam whose time was up show only then, and the buttons, kept at the bottom, stand below
// them; the buttons stay disabled until the supervisor's sequence is entered. One control a row, as the window lists
// them.
// clang-format off
inline constexpr ControlSpec kDevamFormControls[] = {
    {.name = "Baslik", .kind = ControlKind::Label, .bounds = {16, 14, 0, 0},
     .text = "Bu bilgisayarda bir s\xFDnav yar\xFD" "da kesildi.", .font = {kMsSansSerif, -16, true, platform::kNavy}},
    {.name = "Label1", .kind = ControlKind::Label, .bounds = {24, 42, 0, 0}, .text = "Aday No :"},
    {.name = "Label2", .kind = ControlKind::Label, .bounds = {24, 60, 0, 0}, .text = "Ad\xFD :"},
    {.name = "Label3", .kind = ControlKind::Label, .bounds = {24, 78, 0, 0}, .text = "Soyad\xFD :"},
    {.name = "Label4", .kind = ControlKind::Label, .bounds = {24, 96, 0, 0}, .text = "Bilgisayar :"},
    {.name = "Label5", .kind = ControlKind::Label, .bounds = {24, 114, 0, 0}, .text = "Ba\xFElama zaman\xFD :"},
    {.name = "Label6", .kind = ControlKind::Label, .bounds = {24, 132, 0, 0}, .text = "Kesilme zaman\xFD :"},
    {.name = "Label7", .kind = ControlKind::Label, .bounds = {24, 150, 0, 0}, .text = "Yaz\xFDlan kelime :"},
    {.name = "Label8", .kind = ControlKind::Label, .bounds = {24, 168, 0, 0}, .text = "Kalan s\xFCre :"},
    {.name = "AdayNo", .kind = ControlKind::Label, .bounds = {kValueLeft, 42, 0, 0}, .font = kBoldFont},
    {.name = "Adi", .kind = ControlKind::Label, .bounds = {kValueLeft, 60, 0, 0}, .font = kBoldFont},
    {.name = "Soyadi", .kind = ControlKind::Label, .bounds = {kValueLeft, 78, 0, 0}, .font = kBoldFont},
    {.name = "PC", .kind = ControlKind::Label, .bounds = {kValueLeft, 96, 0, 0}, .font = kBoldFont},
    {.name = "Baslama", .kind = ControlKind::Label, .bounds = {kValueLeft, 114, 0, 0}, .font = kBoldFont},
    {.name = "Kesilme", .kind = ControlKind::Label, .bounds = {kValueLeft, 132, 0, 0}, .font = kBoldFont},
    {.name = "Kelime", .kind = ControlKind::Label, .bounds = {kValueLeft, 150, 0, 0}, .font = kBoldFont},
    {.name = "KalanSure", .kind = ControlKind::Label, .bounds = {kValueLeft, 168, 0, 0}, .font = kBoldFont},
    {.name = "Talimat", .kind = ControlKind::Label, .bounds = {16, 194, 0, 0},
     .text = "G\xF6zetmen: Alt tu\xFEunu bas\xFDl\xFD tutarak g\xF6zetmen tu\xFE dizisinin alt\xFD rakam\xFDn\xFD girin."},
    {.name = "Yanlis", .kind = ControlKind::Label, .bounds = {16, 212, 0, 0}, .text = "Tu\xFE dizisi yanl\xFD\xFE.",
     .font = kWarningFont, .visible = false},
    {.name = "SureDoldu1", .kind = ControlKind::Label, .bounds = {16, 236, 0, 0},
     .text = "Bu s\xFDnav\xFDn s\xFCresi program kapanmadan \xF6nce dolmu\xFEtu: s\xFDnav s\xFCrd\xFCr\xFClemez,",
     .font = kWarningFont, .visible = false},
    {.name = "SureDoldu2", .kind = ControlKind::Label, .bounds = {16, 252, 0, 0},
     .text = "yaln\xFDzca oldu\xF0u gibi bitirilebilir (tutana\xF0\xFD saklan\xFDr ve yazd\xFDr\xFDl\xFDr).",
     .font = kWarningFont, .visible = false},
    {.name = "Dugmeler", .kind = ControlKind::Panel, .bounds = {0, 234, 480, 42}, .dock = geometry::Dock::Bottom},
    {.name = "DevamBtn", .kind = ControlKind::Button, .parent = "Dugmeler", .bounds = {150, 3, 136, 27},
     .text = "S\xFDnava Devam Et", .font = kBoldFont, .tabOrder = 0, .options = platform::options::kDisabled},
    {.name = "BitirBtn", .kind = ControlKind::Button, .parent = "Dugmeler", .bounds = {294, 3, 170, 27},
     .text = "S\xFDnav\xFD Oldu\xF0u Gibi Bitir", .font = kBoldFont, .tabOrder = 1,
     .options = platform::options::kDisabled},
};
// clang-format on

static_assert(platform::ContainersPrecedeTheirControls(kDevamFormControls));

}  // namespace devam_layout

using devam_layout::kDevamFormControls;

platform::FormLayout DevamFormLayout();

// The controls that the window's code names; a name missing from the tables does not compile.
namespace DevamForm {

template <platform::ControlName name>
consteval auto Control() {
    return platform::FindControl<TDevamForm, kDevamFormControls, name>();
}

inline constexpr auto AdayNo = Control<"AdayNo">();
inline constexpr auto Adi = Control<"Adi">();
inline constexpr auto Soyadi = Control<"Soyadi">();
inline constexpr auto PC = Control<"PC">();
inline constexpr auto Baslama = Control<"Baslama">();
inline constexpr auto Kesilme = Control<"Kesilme">();
inline constexpr auto Kelime = Control<"Kelime">();
inline constexpr auto KalanSure = Control<"KalanSure">();
inline constexpr auto SureDoldu1 = Control<"SureDoldu1">();
inline constexpr auto SureDoldu2 = Control<"SureDoldu2">();
inline constexpr auto Yanlis = Control<"Yanlis">();
inline constexpr auto DevamBtn = Control<"DevamBtn">();
inline constexpr auto BitirBtn = Control<"BitirBtn">();

}  // namespace DevamForm

}  // namespace exam
