// The exam window as designed: every control with its place, docking, text, font and colours.
#pragma once

#include <span>

#include "platform/Controls.h"

namespace exam {

const platform::FormSpec& SinavFormSpec();
std::span<const platform::ControlSpec> SinavFormControls();
std::span<const platform::TimerSpec> SinavFormTimers();

}  // namespace exam
