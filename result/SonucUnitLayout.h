// The time-up dialog as designed: its controls with their places, texts and fonts.
#pragma once

#include <span>

#include "platform/Controls.h"

namespace result {

// The window's outer size follows from its client area and frame; it is placed when it is built.
inline constexpr int kSonucClientWidth = 407;
inline constexpr int kSonucClientHeight = 220;

const platform::FormSpec& SonucFormSpec();
std::span<const platform::ControlSpec> SonucFormControls();
std::span<const platform::TimerSpec> SonucFormTimers();

}  // namespace result
