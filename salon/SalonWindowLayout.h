// The hall's console as designed: a bar of buttons, the hall's PCs above, the chosen day's results below, and the
// ids and columns by which the window's code names them.
#pragma once

#include "platform/ControlId.h"
#include "platform/Controls.h"
#include "platform/ListView.h"

namespace salon {

class TSalonForm;

inline constexpr SIZE kSalonFormClientSize{980, 640};

namespace salon_layout {

using geometry::Dock;
using platform::ControlKind;
using platform::ControlSpec;
using platform::FontSpec;

inline constexpr FontSpec kHeadingFont{platform::kMsSansSerif, -13, true};

// One control a row, as the window lists them.
// clang-format off
inline constexpr ControlSpec kSalonFormControls[] = {
    {.name = "Dugmeler", .kind = ControlKind::Panel, .bounds = {0, 0, 980, 40}, .dock = Dock::Top},
    {.name = "KlasorSec", .kind = ControlKind::Button, .parent = "Dugmeler", .bounds = {8, 8, 100, 25},
     .text = "Klas\xF6r Se\xE7...", .tabOrder = 0},
    {.name = "OncekiGun", .kind = ControlKind::Button, .parent = "Dugmeler", .bounds = {124, 8, 28, 25},
     .text = "<", .tabOrder = 1, .hint = "\xD6nceki g\xFCn"},
    {.name = "Gun", .kind = ControlKind::Label, .parent = "Dugmeler", .bounds = {160, 12, 0, 0},
     .font = kHeadingFont},
    {.name = "SonrakiGun", .kind = ControlKind::Button, .parent = "Dugmeler", .bounds = {296, 8, 28, 25},
     .text = ">", .tabOrder = 2, .hint = "Sonraki g\xFCn"},
    {.name = "Bugun", .kind = ControlKind::Button, .parent = "Dugmeler", .bounds = {332, 8, 60, 25},
     .text = "Bug\xFCn", .tabOrder = 3},
    {.name = "TutanakAc", .kind = ControlKind::Button, .parent = "Dugmeler", .bounds = {560, 8, 130, 25},
     .text = "Tutana\xF0\xFD A\xE7", .tabOrder = 4},
    {.name = "DisaAktar", .kind = ControlKind::Button, .parent = "Dugmeler", .bounds = {698, 8, 130, 25},
     .text = "Listeyi D\xFD\xFE" "a Aktar...", .tabOrder = 5},
    {.name = "Yazdir", .kind = ControlKind::Button, .parent = "Dugmeler", .bounds = {836, 8, 130, 25},
     .text = "Listeyi Yazd\xFDr", .tabOrder = 6},
    {.name = "SalonBaslik", .kind = ControlKind::Panel, .bounds = {0, 40, 980, 22}, .dock = Dock::Top},
    {.name = "SalonLabel", .kind = ControlKind::Label, .parent = "SalonBaslik", .bounds = {8, 4, 0, 0},
     .text = "Salondaki bilgisayarlar", .font = kHeadingFont},
    {.name = "Salon", .kind = ControlKind::ListView, .bounds = {0, 62, 980, 240}, .dock = Dock::Top,
     .color = platform::kWindowColor, .tabOrder = 7},
    {.name = "SonucBaslik", .kind = ControlKind::Panel, .bounds = {0, 302, 980, 22}, .dock = Dock::Top},
    {.name = "SonucLabel", .kind = ControlKind::Label, .parent = "SonucBaslik", .bounds = {8, 4, 0, 0},
     .text = "G\xFCn\xFCn sonu\xE7lar\xFD (s\xFDralamak i\xE7in bir s\xFCtun ba\xFEl\xFD\xF0\xFDna t\xFDklay\xFDn)",
     .font = kHeadingFont},
    {.name = "Durum", .kind = ControlKind::StatusBar, .bounds = {0, 620, 980, 20}, .dock = Dock::Bottom},
    {.name = "Sonuclar", .kind = ControlKind::ListView, .bounds = {0, 324, 980, 296}, .dock = Dock::Client,
     .color = platform::kWindowColor, .tabOrder = 8},
};
// clang-format on

static_assert(platform::ContainersPrecedeTheirControls(kSalonFormControls));

}  // namespace salon_layout

using salon_layout::kSalonFormControls;

platform::FormLayout SalonFormLayout();

// The hall's columns, in the order of hall::HallRow's texts.
enum class HallColumn { Pc, Phase, Candidate, TimeLeft, Words, Seen, Problems };
inline constexpr platform::ListColumn kHallColumns[] = {
    {"Bilgisayar", 130},        {"Durum", 200}, {"Aday", 220}, {"Kalan S\xFCre", 80, true}, {"Kelime", 60, true},
    {"Son G\xF6r\xFClme", 100}, {"Sorun", 170},
};

// The results' columns, in the order of hall::ResultColumn, then the hall's verdict and the warning.
inline constexpr platform::ListColumn kResultColumns[] = {
    {"S\xFDra", 44, true},      {"Aday No", 64},    {"Ad\xFD", 90},           {"Soyad\xFD", 90},
    {"Bilgisayar", 90},         {"Ba\xFElama", 60}, {"Yaz\xFDlan", 56, true}, {"Do\xF0ru", 50, true},
    {"Yanl\xFD\xFE", 50, true}, {"Net", 40, true},  {"Kesinti", 50, true},    {"Salon Tan\xFD\xF0\xFD", 200},
    {"Uyar\xFD", 130},
};

// The controls that the window's code names; a name missing from the table does not compile.
namespace SalonForm {

template <platform::ControlName name>
consteval auto Control() {
    return platform::FindControl<TSalonForm, kSalonFormControls, name>();
}

inline constexpr auto KlasorSec = Control<"KlasorSec">();
inline constexpr auto OncekiGun = Control<"OncekiGun">();
inline constexpr auto Gun = Control<"Gun">();
inline constexpr auto SonrakiGun = Control<"SonrakiGun">();
inline constexpr auto Bugun = Control<"Bugun">();
inline constexpr auto TutanakAc = Control<"TutanakAc">();
inline constexpr auto DisaAktar = Control<"DisaAktar">();
inline constexpr auto Yazdir = Control<"Yazdir">();
inline constexpr auto Salon = Control<"Salon">();
inline constexpr auto Sonuclar = Control<"Sonuclar">();
inline constexpr auto Durum = Control<"Durum">();

}  // namespace SalonForm

}  // namespace salon
