#include "entry/Unit2.h"

#include <algorithm>
#include <iterator>

#include "entry/Unit2Layout.h"
#include "platform/Cp1254.h"
#include "platform/Guards.h"
#include "text/TextAnalysis.h"

namespace entry {

TAdayKaydi AdayKaydi;

namespace {

using platform::Event;
using platform::EventWiring;
using Self = TGirisForm;

const EventWiring<Self> kEventWiring[] = {
    {Self::kSelf, Event::Close, &Self::FormClose},
    {Self::kSelf, Event::KeyDown, &Self::FormKeyDown},
    {Self::kSelf, Event::HitTest, &Self::FormHitTest},
    {Self::kSelf, Event::KeyUp, &Self::FormKeyUp},
    {GirisForm::Adayno, Event::KeyDown, &Self::FormKeyDown},
    {GirisForm::Adayno, Event::KeyPress, &Self::AdaynoKeyPress},
    {GirisForm::Adayno, Event::Change, &Self::AdaynoChange},
    {GirisForm::Adayno, Event::KeyUp, &Self::FormKeyUp},
    {GirisForm::Adi, Event::KeyDown, &Self::FormKeyDown},
    {GirisForm::Adi, Event::KeyPress, &Self::AdiKeyPress},
    {GirisForm::Adi, Event::KeyUp, &Self::FormKeyUp},
    {GirisForm::Soyadi, Event::KeyDown, &Self::FormKeyDown},
    {GirisForm::Soyadi, Event::KeyPress, &Self::SoyadiKeyPress},
    {GirisForm::Soyadi, Event::KeyUp, &Self::FormKeyUp},
    {GirisForm::Tamam, Event::Click, &Self::TamamClick},
    {GirisForm::Tamam, Event::KeyDown, &Self::FormKeyDown},
    {GirisForm::Tamam, Event::KeyUp, &Self::FormKeyUp},
    {GirisForm::Kapat, Event::Click, &Self::KapatClick},
    {GirisForm::Kapat, Event::KeyDown, &Self::FormKeyDown},
    {GirisForm::Kapat, Event::KeyPress, &Self::KapatKeyPress},
    {GirisForm::Kapat, Event::KeyUp, &Self::FormKeyUp},
};

constexpr char kEnter = '\r';
constexpr char kBackspace = '\b';
constexpr char kEksikBilgi[] =
    "Aday Numaras\xFD ve Ad-Soyad bilgisi tam olarak girilmeden yazmaya ba\xFElayamazs\xFDn\xFDz";
constexpr char kUyari[] = "Uyar\xFD !";

}  // namespace

TGirisForm::TGirisForm(HWND owner) {
    Build(GirisFormSpec(), GirisFormControls(), {}, owner);
    for (const auto edit : {GirisForm::Adayno, GirisForm::Adi, GirisForm::Soyadi})
        SendMessageW(Control(edit).Handle(), EM_SETLIMITTEXT, 0, 0);
    CentreClientArea(kGirisFormClientSize);
}

void TGirisForm::OnEvent(int source, Event event, platform::EventArgs& args) {
    platform::DispatchEvent<Self>(*this, kEventWiring, source, event, args);
}

bool TGirisForm::IsIncomplete() const {
    return Control(GirisForm::Adi).Text().empty() || Control(GirisForm::Soyadi).Text().empty() ||
           Control(GirisForm::Adayno).Text().empty();
}

// The exam window owns the backdrop, which owns this dialog; closing it ends the program.
void TGirisForm::CloseExamWindow() {
    if (platform::Form* exam = platform::Form::FromHandle(GetAncestor(Handle(), GA_ROOTOWNER))) exam->Close();
}

void TGirisForm::TamamClick(platform::EventArgs&) {
    if (IsIncomplete()) {
        MessageBoxW(Handle(), platform::WidenCp1254(kEksikBilgi).c_str(), platform::WidenCp1254(kUyari).c_str(),
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    AdayKaydi = {Control(GirisForm::Adayno).Text(), text::HarfDonustur(Control(GirisForm::Adi).Text()),
                 text::HarfDonustur(Control(GirisForm::Soyadi).Text())};
    Close();
    SendMessageW(GetWindow(Handle(), GW_OWNER), WM_CLOSE, 0, 0);
}

void TGirisForm::AdaynoKeyPress(platform::EventArgs& args) {
    const char c = args.character;
    if (c == kEnter) SetFocus(Control(GirisForm::Adi).Handle());
    if (!((c >= '0' && c <= '9') || c == kBackspace)) args.character = 0;
}

void TGirisForm::AdiKeyPress(platform::EventArgs& args) {
    if (args.character != kEnter) return;
    SetFocus(Control(GirisForm::Soyadi).Handle());
    args.character = 0;
}

void TGirisForm::SoyadiKeyPress(platform::EventArgs& args) {
    if (args.character != kEnter) return;
    args.character = 0;
    TamamClick(args);
}

// A plain Enter presses the focused close button before any handler sees it; Shift+Enter arrives here.
void TGirisForm::KapatKeyPress(platform::EventArgs& args) {
    if (args.character == kEnter) TamamClick(args);
}

void TGirisForm::KapatClick(platform::EventArgs&) { CloseExamWindow(); }

// An Esc whose press closed the warning box is released here too; only one pressed in the dialog ends it.
void TGirisForm::FormKeyUp(platform::EventArgs& args) {
    if (args.key == VK_ESCAPE && escapePressed_) CloseExamWindow();
}

void TGirisForm::FormKeyDown(platform::EventArgs& args) {
    if (args.key == VK_ESCAPE) escapePressed_ = true;
    platform::CancelAltF4(args);
}

// Text can also arrive pasted, dropped or set by another program, never passing the key filter: whatever comes,
// only its digits stay.
void TGirisForm::AdaynoChange(platform::EventArgs&) {
    const std::string number = Control(GirisForm::Adayno).Text();
    std::string digits;
    std::ranges::copy_if(number, std::back_inserter(digits), [](char c) { return c >= '0' && c <= '9'; });
    if (digits == number) return;
    const HWND adayno = Control(GirisForm::Adayno).Handle();
    DWORD caret = 0;
    SendMessageW(adayno, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    const auto removedBefore =
        std::count_if(number.begin(), number.begin() + std::min<std::size_t>(caret, number.size()),
                      [](char c) { return c < '0' || c > '9'; });
    Control(GirisForm::Adayno).SetText(digits);
    const auto at = static_cast<WPARAM>(caret - removedBefore);
    SendMessageW(adayno, EM_SETSEL, at, static_cast<LPARAM>(at));
}

void TGirisForm::FormHitTest(platform::EventArgs& args) { platform::RefuseCaptionDrag(args); }

// However the dialog closes, a candidate who has not filled in every field leaves no session behind.
void TGirisForm::FormClose(platform::EventArgs&) {
    if (IsIncomplete()) ExitProcess(0);
}

}  // namespace entry
