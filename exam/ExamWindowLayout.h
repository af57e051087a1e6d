// The exam window as designed: every control with its place, docking, text, font and colours, and the ids by
// which the window's code names them.
#pragma once

#include <span>
#include <string_view>

#include "platform/ControlId.h"
#include "platform/Controls.h"

namespace exam {

class TSinavForm;

namespace sinav_layout {

using geometry::Dock;
using platform::ControlKind;
using platform::ControlSpec;
using platform::FontSpec;
using platform::kMsSansSerif;
namespace options = platform::options;

inline constexpr FontSpec kButtonFont{kMsSansSerif, -16, true};
inline constexpr FontSpec kPanelWordFont{kMsSansSerif, -21};
inline constexpr FontSpec kCountdownFont{kMsSansSerif, -32, true, platform::kNavy};
inline constexpr FontSpec kTotalFont{L"Arial", -11, true};

// Listed in docking order: of two controls docked to the same edge the first lies nearer it, so the caption
// panel comes before the button bar and the status bar before the results group.
// One control a row, as the window lists them.
// clang-format off
inline constexpr ControlSpec kSinavFormControls[] = {
    {.name = "CaptionPanel", .kind = ControlKind::Panel, .bounds = {0, 0, 836, 45}, .dock = Dock::Top,
     .color = platform::kActiveCaption, .tabOrder = 5, .options = options::kRaisedBevel},
    {.name = "Label4", .kind = ControlKind::Label, .parent = "CaptionPanel", .bounds = {8, 6, 0, 0},
     .text = "Tervendi S\xFDnav Program\xFD", .font = {kMsSansSerif, -16, true, platform::kWhite}},
    {.name = "PCLabel", .kind = ControlKind::Label, .parent = "CaptionPanel", .bounds = {8, 28, 0, 0},
     .font = {kMsSansSerif, -11, true, platform::kWhite}},
    {.name = "Bevel1", .kind = ControlKind::Bevel, .parent = "CaptionPanel", .bounds = {264, 6, 329, 36}},
    {.name = "Label7", .kind = ControlKind::Label, .parent = "CaptionPanel", .bounds = {272, 18, 0, 0},
     .text = "Aday No : ", .font = {kMsSansSerif, -13, true, platform::kBlack}},
    {.name = "AdayNoLabel", .kind = ControlKind::Label, .parent = "CaptionPanel", .bounds = {336, 17, 0, 0},
     .font = {kMsSansSerif, -13, true, platform::kWhite}},
    {.name = "AdiLabel", .kind = ControlKind::Label, .parent = "CaptionPanel", .bounds = {456, 9, 0, 0},
     .font = {kMsSansSerif, -11, true, platform::kWhite}},
    {.name = "Label11", .kind = ControlKind::Label, .parent = "CaptionPanel", .bounds = {400, 10, 0, 0},
     .text = "Ad\xFD      : ", .font = {kMsSansSerif, -11, true, platform::kBlack}},
    {.name = "SoyadiLabel", .kind = ControlKind::Label, .parent = "CaptionPanel", .bounds = {456, 25, 0, 0},
     .font = {kMsSansSerif, -11, true, platform::kWhite}},
    {.name = "Label13", .kind = ControlKind::Label, .parent = "CaptionPanel", .bounds = {400, 26, 0, 0},
     .text = "Soyad\xFD : ", .font = {kMsSansSerif, -11, true, platform::kBlack}},
    {.name = "KapatBtn", .kind = ControlKind::PictureButton, .parent = "CaptionPanel", .bounds = {792, 4, 35, 37},
     .font = kButtonFont, .tabOrder = 0, .visible = false, .hint = "Program\xFD kapat\xFDr.",
     .picture = L"KAPATBTN"},

    {.name = "Panel3", .kind = ControlKind::Panel, .bounds = {0, 45, 836, 45}, .dock = Dock::Top,
     .color = platform::kButtonFace, .tabOrder = 1, .options = options::kRaisedBevel},
    {.name = "Temizle", .kind = ControlKind::PictureButton, .parent = "Panel3", .bounds = {12, 4, 150, 37},
     .text = "Yeni Oturum", .font = kButtonFont, .tabOrder = 0,
     .hint = "Yeni s\xFDnav oturumu a\xE7\xFDl\xFD\xFE ekran\xFDna d\xF6ner.", .picture = L"TEMIZLE"},
    {.name = "Baslat", .kind = ControlKind::PictureButton, .parent = "Panel3", .bounds = {179, 4, 150, 37},
     .text = "S\xFDnava Ba\xFEla", .font = kButtonFont, .tabOrder = 1,
     .hint = "Ba\xFElat butonuna bast\xFDktan sonra s\xFDnava ba\xFElamak i\xE7in 5 saniyeniz var.",
     .picture = L"BASLAT"},
    {.name = "BaslaPanel", .kind = ControlKind::Panel, .parent = "Panel3", .bounds = {249, 1, 343, 43},
     .dock = Dock::Right, .tabOrder = 2, .visible = false},
    {.name = "Label1", .kind = ControlKind::Label, .parent = "BaslaPanel", .bounds = {219, 8, 0, 0},
     .text = "saniyeniz var!", .font = kPanelWordFont},
    {.name = "BaslatLabel", .kind = ControlKind::Label, .parent = "BaslaPanel", .bounds = {188, 0, 0, 0},
     .text = "5", .font = kCountdownFont},
    {.name = "Label5", .kind = ControlKind::Label, .parent = "BaslaPanel", .bounds = {8, 8, 0, 0},
     .text = "S\xFDnava ba\xFElamak i\xE7in", .font = kPanelWordFont},
    {.name = "SurePanel", .kind = ControlKind::Panel, .parent = "Panel3", .bounds = {592, 1, 243, 43},
     .dock = Dock::Right, .tabOrder = 3},
    {.name = "Label3", .kind = ControlKind::Label, .parent = "SurePanel", .bounds = {171, 8, 0, 0},
     .text = "saniye", .font = kPanelWordFont},
    {.name = "SureLabel", .kind = ControlKind::Label, .parent = "SurePanel", .bounds = {108, 0, 0, 0},
     .text = "180", .font = kCountdownFont},
    {.name = "Label2", .kind = ControlKind::Label, .parent = "SurePanel", .bounds = {8, 8, 0, 0},
     .text = "Kalan S\xFCre", .font = kPanelWordFont},

    {.name = "Splitter1", .kind = ControlKind::Splitter, .bounds = {425, 90, 3, 226}, .dock = Dock::Left,
     .visible = false, .hint = "Geni\xFEli\xF0i ayarla"},
    {.name = "Metin", .kind = ControlKind::RichEdit, .bounds = {0, 90, 425, 226}, .dock = Dock::Left,
     .font = {L"Palatino Linotype", -16}, .color = platform::k3dLight, .tabOrder = 2,
     .options = options::kReadOnly | options::kAutomaticDrag | options::kLeftButtonOnly | options::kScrollsToRead,
     .hint = "S\xFDnav metnini bo b\xF6l\xFCmde g\xF6receksiniz."},
    {.name = "StatusBar1", .kind = ControlKind::StatusBar, .bounds = {0, 316, 836, 26}, .dock = Dock::Bottom,
     .color = platform::kSilver},
    {.name = "Yazilan", .kind = ControlKind::RichEdit, .bounds = {428, 90, 408, 226}, .dock = Dock::Client,
     .font = {L"Times New Roman", -19}, .color = platform::kWindowColor, .tabOrder = 0,
     .options = options::kReadOnly | options::kVerticalScroll | options::kWantTabs | options::kLeftButtonOnly |
                options::kOwnCharacters},

    {.name = "GroupBox1", .kind = ControlKind::GroupBox, .bounds = {0, 342, 836, 242}, .dock = Dock::Bottom,
     .tabOrder = 4, .visible = false},
    {.name = "GroupBox2", .kind = ControlKind::GroupBox, .parent = "GroupBox1", .bounds = {2, 15, 200, 225},
     .dock = Dock::Left, .text = " \xD6rnek metin ", .tabOrder = 0},
    {.name = "MetinListBox", .kind = ControlKind::ListBox, .parent = "GroupBox2", .bounds = {2, 15, 196, 208},
     .dock = Dock::Client, .color = platform::kWindowColor, .tabOrder = 0},
    {.name = "GroupBox4", .kind = ControlKind::GroupBox, .parent = "GroupBox1", .bounds = {202, 15, 200, 225},
     .dock = Dock::Left, .text = "Do\xF0ru Kelimeler ", .tabOrder = 2},
    {.name = "DogruListBox", .kind = ControlKind::ListBox, .parent = "GroupBox4", .bounds = {2, 15, 196, 208},
     .dock = Dock::Client, .color = platform::kWindowColor, .tabOrder = 0},
    {.name = "GroupBox3", .kind = ControlKind::GroupBox, .parent = "GroupBox1", .bounds = {402, 15, 200, 225},
     .dock = Dock::Left, .text = "Yanl\xFD\xFE  Kelimeler", .tabOrder = 1},
    {.name = "YanlisListBox", .kind = ControlKind::ListBox, .parent = "GroupBox3", .bounds = {2, 15, 196, 208},
     .dock = Dock::Client, .color = platform::kWindowColor, .tabOrder = 0},
    {.name = "Panel2", .kind = ControlKind::Panel, .parent = "GroupBox1", .bounds = {602, 15, 200, 225},
     .dock = Dock::Left, .tabOrder = 3, .options = options::kRaisedBevel},
    {.name = "Label10", .kind = ControlKind::Label, .parent = "Panel2", .bounds = {10, 193, 0, 0},
     .text = "Toplam yaz\xFDlan: ", .font = kTotalFont},
    {.name = "ltoplamyer", .kind = ControlKind::Label, .parent = "Panel2", .bounds = {100, 193, 0, 0},
     .font = {L"Arial", -11, true, platform::kBlue}},
    {.name = "Chart2", .kind = ControlKind::Chart, .parent = "Panel2", .bounds = {1, 1, 198, 155},
     .dock = Dock::Top, .tabOrder = 0},
};
// clang-format on

inline constexpr platform::TimerSpec kSinavFormTimers[] = {{"SinavTimer"}, {"BaslatTimer"}};

static_assert(platform::ContainersPrecedeTheirControls(kSinavFormControls));

}  // namespace sinav_layout

using sinav_layout::kSinavFormControls;
using sinav_layout::kSinavFormTimers;

platform::FormLayout SinavFormLayout();

// The controls and timers that the window's code names; a name missing from the tables does not compile.
namespace SinavForm {

template <platform::ControlName name>
consteval auto Control() {
    return platform::FindControl<TSinavForm, kSinavFormControls, name>();
}

inline constexpr auto CaptionPanel = Control<"CaptionPanel">();
inline constexpr auto PCLabel = Control<"PCLabel">();
inline constexpr auto AdayNoLabel = Control<"AdayNoLabel">();
inline constexpr auto AdiLabel = Control<"AdiLabel">();
inline constexpr auto SoyadiLabel = Control<"SoyadiLabel">();
inline constexpr auto KapatBtn = Control<"KapatBtn">();
inline constexpr auto Panel3 = Control<"Panel3">();
inline constexpr auto Temizle = Control<"Temizle">();
inline constexpr auto Baslat = Control<"Baslat">();
inline constexpr auto BaslaPanel = Control<"BaslaPanel">();
inline constexpr auto BaslatLabel = Control<"BaslatLabel">();
inline constexpr auto SurePanel = Control<"SurePanel">();
inline constexpr auto SureLabel = Control<"SureLabel">();
inline constexpr auto Metin = Control<"Metin">();
inline constexpr auto StatusBar1 = Control<"StatusBar1">();
inline constexpr auto Yazilan = Control<"Yazilan">();
inline constexpr auto GroupBox1 = Control<"GroupBox1">();
inline constexpr auto GroupBox2 = Control<"GroupBox2">();
inline constexpr auto GroupBox4 = Control<"GroupBox4">();
inline constexpr auto GroupBox3 = Control<"GroupBox3">();
inline constexpr auto MetinListBox = Control<"MetinListBox">();
inline constexpr auto DogruListBox = Control<"DogruListBox">();
inline constexpr auto YanlisListBox = Control<"YanlisListBox">();
inline constexpr auto Panel2 = Control<"Panel2">();
inline constexpr auto Chart2 = Control<"Chart2">();
inline constexpr auto ltoplamyer = Control<"ltoplamyer">();

inline constexpr auto SinavTimer = platform::FindTimer<TSinavForm>(kSinavFormTimers, "SinavTimer");
inline constexpr auto BaslatTimer = platform::FindTimer<TSinavForm>(kSinavFormTimers, "BaslatTimer");

}  // namespace SinavForm

}  // namespace exam
