// The entry dialog as designed: every control with its place, text, font and tab order.
#pragma once

#include <span>

#include "platform/Controls.h"

namespace entry {

inline constexpr SIZE kGirisFormClientSize{407, 152};

const platform::FormSpec& GirisFormSpec();
std::span<const platform::ControlSpec> GirisFormControls();

}  // namespace entry
