#include "result/SonucUnitLayout.h"

namespace result {

namespace {

using platform::ControlKind;
using platform::ControlSpec;
using platform::FontSpec;

constexpr const wchar_t* kSansSerif = L"MS Sans Serif";
constexpr const wchar_t* kTimes = L"Times New Roman";
constexpr FontSpec kTextFont{kTimes, -19};
constexpr FontSpec kNumberFont{kTimes, -24, true, platform::kNavy};

const platform::FormSpec kForm{
    .className = L"TSonucForm",
    .caption = "S\xFCreniz Doldu!",
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
    .exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
    .baseFont = {kSansSerif, -11},
};

// Button1 lies right of the client area, so it is never seen; first in tab order, it takes the focus when the
// dialog opens and swallows Enter and Space, which therefore cannot close the dialog by accident.
const ControlSpec kControls[] = {
    {.name = "Label1", .kind = ControlKind::Label, .bounds = {16, 16, 0, 0},
     .text = "3 Dakikal\xFDk s\xFCre doldu!", .font = {kTimes, -32, true, platform::kNavy}},
    {.name = "Label2", .kind = ControlKind::Label, .bounds = {16, 72, 0, 0},
     .text = "Yazd\xFD\xF0\xFDn\xFDz toplam kelime adedi : ", .font = kTextFont},
    {.name = "SonucLabel", .kind = ControlKind::Label, .bounds = {272, 68, 0, 0}, .font = kNumberFont},
    {.name = "Label4", .kind = ControlKind::Label, .bounds = {16, 112, 0, 0},
     .text = "Uygulama s\xFDnav tutana\xF0\xFDn\xFDz\xFD yazd\xFDrmak i\xE7in tamam ", .font = kTextFont},
    {.name = "Label5", .kind = ControlKind::Label, .bounds = {16, 136, 0, 0}, .text = "butonuna bas\xFDn ya da ",
     .font = kTextFont},
    {.name = "GeriSayimLabel", .kind = ControlKind::Label, .bounds = {184, 132, 0, 0}, .text = "5",
     .font = {kTimes, -24, true}},
    {.name = "Label6", .kind = ControlKind::Label, .bounds = {216, 136, 0, 0}, .text = "saniye bekleyin.",
     .font = kTextFont},
    {.name = "Tamam", .kind = ControlKind::Button, .bounds = {146, 172, 120, 37}, .text = "Tamam",
     .font = {kSansSerif, -16, true}, .tabOrder = 1},
    {.name = "Button1", .kind = ControlKind::Button, .bounds = {496, 32, 75, 25}, .text = "Button1", .tabOrder = 0},
};

const platform::TimerSpec kTimers[] = {{"Timer1", 1000}};

}  // namespace

const platform::FormSpec& SonucFormSpec() { return kForm; }
std::span<const ControlSpec> SonucFormControls() { return kControls; }
std::span<const platform::TimerSpec> SonucFormTimers() { return kTimers; }

}  // namespace result
