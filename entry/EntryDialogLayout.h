// The entry dialog as designed: every control with its place, text, font and tab order, and the ids by which
// the window's code names them.
#pragma once

#include <span>
#include <string_view>

#include "platform/ControlId.h"
#include "platform/Controls.h"

namespace entry {

class TGirisForm;

inline constexpr SIZE kGirisFormClientSize{407, 152};

namespace giris_layout {

using platform::ControlKind;
using platform::ControlSpec;
using platform::FontSpec;
using platform::kMsSansSerif;

inline constexpr FontSpec kBoldFont{kMsSansSerif, -11, true};

// The labels are placed as designed, to end where the edit beside each begins; a substituted face may make
// them a pixel or two wider or narrower.
// One control a row, as the window lists them.
// clang-format off
inline constexpr ControlSpec kGirisFormControls[] = {
    {.name = "Label1", .kind = ControlKind::Label, .bounds = {158, 24, 0, 0}, .text = "Aday No :", .font = kBoldFont},
    {.name = "Label2", .kind = ControlKind::Label, .bounds = {188, 56, 0, 0}, .text = "Ad\xFD :", .font = kBoldFont},
    {.name = "Label3", .kind = ControlKind::Label, .bounds = {168, 88, 0, 0}, .text = "Soyad\xFD :",
     .font = kBoldFont},
    {.name = "Image1", .kind = ControlKind::Picture, .bounds = {8, 8, 137, 137}, .picture = L"GIRISRESMI"},
    {.name = "Adayno", .kind = ControlKind::Edit, .bounds = {216, 16, 81, 21}, .color = platform::kWindowColor,
     .tabOrder = 0, .hint = "Aday Numaran\xFDz\xFD Girin!"},
    {.name = "Adi", .kind = ControlKind::Edit, .bounds = {216, 48, 161, 21}, .color = platform::kWindowColor,
     .tabOrder = 1, .hint = "\xDDsminizi Yaz\xFDn!"},
    {.name = "Soyadi", .kind = ControlKind::Edit, .bounds = {216, 80, 161, 21}, .color = platform::kWindowColor,
     .tabOrder = 2, .hint = "Soyisminizi Yaz\xFDn!"},
    {.name = "Tamam", .kind = ControlKind::Button, .bounds = {216, 120, 105, 25}, .text = "Tamam (ENTER)",
     .font = kBoldFont, .tabOrder = 3},
    {.name = "Kapat", .kind = ControlKind::Button, .bounds = {328, 120, 75, 25}, .text = "Kapat (ESC)",
     .font = kBoldFont, .tabOrder = 4},
};
// clang-format on

static_assert(platform::ContainersPrecedeTheirControls(kGirisFormControls));

}  // namespace giris_layout

using giris_layout::kGirisFormControls;

platform::FormLayout GirisFormLayout();

// The controls that the window's code names; a name missing from the tables does not compile.
namespace GirisForm {

template <platform::ControlName name>
consteval auto Control() {
    return platform::FindControl<TGirisForm, kGirisFormControls, name>();
}

inline constexpr auto Adayno = Control<"Adayno">();
inline constexpr auto Adi = Control<"Adi">();
inline constexpr auto Soyadi = Control<"Soyadi">();
inline constexpr auto Tamam = Control<"Tamam">();
inline constexpr auto Kapat = Control<"Kapat">();

}  // namespace GirisForm

}  // namespace entry
