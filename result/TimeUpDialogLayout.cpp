#include "result/TimeUpDialogLayout.h"

namespace result {

namespace {

using namespace sonuc_layout;

const platform::FormSpec kForm{
    .className = L"TSonucForm",
    .caption = "S\xFCreniz Doldu!",
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
    .exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
    .baseFont = platform::kBaseFont,
};

}  // namespace

platform::FormLayout SonucFormLayout() { return {kForm, kSonucFormControls, kSonucFormTimers}; }

}  // namespace result
