#include "exam/ExamWindowLayout.h"

namespace exam {

namespace {

using namespace sinav_layout;

const platform::FormSpec kForm{
    .className = L"TSinavForm",
    .caption = "Tervendi S\xFDnav Program\xFD",
    .bounds = {132, 168, 836, 584},
    .style = WS_POPUP | WS_CLIPCHILDREN,
    .exStyle = WS_EX_CONTROLPARENT,
    .baseFont = platform::kBaseFont,
};

}  // namespace

platform::FormLayout SinavFormLayout() { return {kForm, kSinavFormControls, kSinavFormTimers}; }

}  // namespace exam
