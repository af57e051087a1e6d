#include "entry/EntryDialogLayout.h"

namespace entry {

namespace {

using namespace giris_layout;

// A dialog frame with a caption bar but no system menu, so no caption-bar buttons; the constructor sizes it
// around the designed client area and centres it on the screen.
const platform::FormSpec kForm{
    .className = L"TGirisForm",
    .caption = "Tervendi S\xFDnav\xFD Giri\xFE Formu",
    .style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN,
    .exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
    .baseFont = platform::kBaseFont,
    .color = platform::kWhite,
};

}  // namespace

platform::FormLayout GirisFormLayout() { return {kForm, kGirisFormControls}; }

}  // namespace entry
