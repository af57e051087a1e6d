#include "entry/Unit2Layout.h"

namespace entry {

namespace {

using platform::ControlKind;
using platform::ControlSpec;
using platform::FontSpec;

constexpr const wchar_t* kSansSerif = L"MS Sans Serif";
constexpr FontSpec kBoldFont{kSansSerif, -11, true};

// A dialog frame with a caption bar but no system menu, so no caption-bar buttons; the constructor sizes it
// around the designed client area and centres it on the screen.
const platform::FormSpec kForm{
    .className = L"TGirisForm",
    .caption = "Tervendi S\xFDnav\xFD Giri\xFE Formu",
    .style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN,
    .exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
    .baseFont = {kSansSerif, -11},
    .color = platform::kWhite,
};

// The labels are placed as designed, to end where the edit beside each begins; a substituted face may make
// them a pixel or two wider or narrower.
const ControlSpec kControls[] = {
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

}  // namespace

const platform::FormSpec& GirisFormSpec() { return kForm; }
std::span<const ControlSpec> GirisFormControls() { return kControls; }

}  // namespace entry
