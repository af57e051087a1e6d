#include "entry/Backdrop.h"

namespace entry {

namespace {

const platform::FormSpec kForm{
    .className = L"TArkaPlan",
    .caption = "ArkaPlan",
    .bounds = {0, 0, 775, 506},
    .style = WS_POPUP | WS_CLIPCHILDREN,
    .baseFont = platform::kBaseFont,
};

const platform::ControlSpec kControls[] = {
    {.name = "Image1",
     .kind = platform::ControlKind::Picture,
     .bounds = {0, 0, 775, 506},
     .dock = geometry::Dock::Client,
     .options = platform::options::kCoverCropped,
     .picture = L"ARKAPLAN"},
};

}  // namespace

TArkaPlan::TArkaPlan(HWND owner) { Build(kForm, kControls, {}, owner); }

void TArkaPlan::Show() { ShowWindow(Handle(), SW_SHOWMAXIMIZED); }

// Closing the backdrop only hides it: the session code destroys it after the entry dialog it owns, which
// would otherwise go down with it while its modal loop still runs.
LRESULT TArkaPlan::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        ShowWindow(Handle(), SW_HIDE);
        return 0;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace entry
