#include "scratch/TempUnit.h"

#include "platform/RichEdit.h"

namespace scratch {

namespace {

using platform::ControlKind;
namespace options = platform::options;

const platform::FormSpec kForm{
    .className = L"TTempForm",
    .caption = "TempForm",
    .bounds = {0, 0, 783, 540},
    .style = WS_OVERLAPPEDWINDOW,
    .baseFont = {L"MS Sans Serif", -11},
};

const platform::ControlSpec kControls[] = {
    {.name = "TempRichEdit", .kind = ControlKind::RichEdit, .bounds = {0, 0, 775, 506}, .dock = geometry::Dock::Client,
     .color = platform::kWindowColor, .tabOrder = 0, .options = options::kWantTabs},
};

}  // namespace

TTempForm::TTempForm() { Build(kForm, kControls, {}); }

void TTempForm::SetText(std::string_view text) { platform::SetRichEditText(ControlHandle("TempRichEdit"), text); }

int TTempForm::TextLength() const { return platform::RichEditTextLength(ControlHandle("TempRichEdit")); }

int TTempForm::FindWholeWord(std::string_view word, int from, int to) const {
    return platform::FindRichEditWord(ControlHandle("TempRichEdit"), word, from, to);
}

}  // namespace scratch
