// The time-up dialog as designed: its controls with their places, texts and fonts, and the ids by which the
// window's code names them.
#pragma once

#include <span>
#include <string_view>

#include "platform/ControlId.h"
#include "platform/Controls.h"

namespace result {

class TSonucForm;

// The window's outer size follows from its client area and frame; it is placed when it is built.
inline constexpr int kSonucClientWidth = 407;
inline constexpr int kSonucClientHeight = 220;

namespace sonuc_layout {

using platform::ControlKind;
using platform::ControlSpec;
using platform::FontSpec;
using platform::kMsSansSerif;

inline constexpr const wchar_t* kTimes = L"Times New Roman";
inline constexpr FontSpec kTextFont{kTimes, -19};
inline constexpr FontSpec kNumberFont{kTimes, -24, true, platform::kNavy};

// Button1 lies right of the client area, so it is never seen; first in tab order, it takes the focus when the
// dialog opens and swallows Enter and Space, which therefore cannot close the dialog by accident.
// One control a row, as the window lists them.
// clang-format off
inline constexpr ControlSpec kSonucFormControls[] = {
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
     .font = {kMsSansSerif, -16, true}, .tabOrder = 1},
    {.name = "Button1", .kind = ControlKind::Button, .bounds = {496, 32, 75, 25}, .text = "Button1", .tabOrder = 0},
};
// clang-format on

inline constexpr platform::TimerSpec kSonucFormTimers[] = {{"Timer1", 1000}};

static_assert(platform::ContainersPrecedeTheirControls(kSonucFormControls));

}  // namespace sonuc_layout

using sonuc_layout::kSonucFormControls;
using sonuc_layout::kSonucFormTimers;

platform::FormLayout SonucFormLayout();

// The controls and timers that the window's code names; a name missing from the tables does not compile.
namespace SonucForm {

template <platform::ControlName name>
consteval auto Control() {
    return platform::FindControl<TSonucForm, kSonucFormControls, name>();
}

inline constexpr auto SonucLabel = Control<"SonucLabel">();
inline constexpr auto GeriSayimLabel = Control<"GeriSayimLabel">();
inline constexpr auto Tamam = Control<"Tamam">();
inline constexpr auto Button1 = Control<"Button1">();
inline constexpr auto Timer1 = platform::FindTimer<TSonucForm>(kSonucFormTimers, "Timer1");

}  // namespace SonucForm

}  // namespace result
