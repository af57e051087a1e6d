#include "exam/ResumeDialogLayout.h"

namespace exam {

namespace {

using namespace devam_layout;

// A dialog frame like the entry dialog's: a caption bar but no system menu, so no caption-bar buttons; the
// constructor sizes it around the designed client area and centres it on the screen.
const platform::FormSpec kForm{
    .className = L"TDevamForm",
    .caption = "Yar\xFDm Kalan S\xFDnav",
    .style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN,
    .exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
    .baseFont = platform::kBaseFont,
    .color = platform::kWhite,
};

}  // namespace

platform::FormLayout DevamFormLayout() { return {kForm, kDevamFormControls}; }

}  // namespace exam
