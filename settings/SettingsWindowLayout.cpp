#include "settings/SettingsWindowLayout.h"

namespace settings {

namespace {

// A dialog frame with a caption and a close box, centred on the screen by the constructor.
const platform::FormSpec kForm{
    .className = L"TAyarForm",
    .caption = "PC1 Ayarlar\xFD",
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
    .exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW,
    .baseFont = platform::kBaseFont,
};

}  // namespace

platform::FormLayout AyarFormLayout() { return {kForm, kAyarFormControls}; }

}  // namespace settings
