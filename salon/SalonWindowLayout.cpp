#include "salon/SalonWindowLayout.h"

namespace salon {

namespace {

// A window of its own on the supervisor's desk: sized, moved and minimised as any other.
const platform::FormSpec kForm{
    .className = L"TSalonForm",
    .caption = "PC1 Salon",
    .style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
    .exStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW,
    .baseFont = platform::kBaseFont,
};

}  // namespace

platform::FormLayout SalonFormLayout() { return {kForm, kSalonFormControls}; }

}  // namespace salon
