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
    {platform::Form::kSelf, Event::Close, &Self::FormClose},
    {platform::Form::kSelf, Event::KeyDown, &Self::FormKeyDown},
    {platform::Form::kSelf, Event::HitTest, &Self::FormHitTest},
    {platform::Form::kSelf, Event::KeyUp, &Self::FormKeyUp},
    {"Adayno", Event::KeyDown, &Self::FormKeyDown},
    {"Adayno", Event::KeyPress, &Self::AdaynoKeyPress},
    {"Adayno", Event::Change, &Self::AdaynoChange},
    {"Adayno", Event::KeyUp, &Self::FormKeyUp},
    {"Adi", Event::KeyDown, &Self::FormKeyDown},
    {"Adi", Event::KeyPress, &Self::AdiKeyPress},
    {"Adi", Event::KeyUp, &Self::FormKeyUp},
    {"Soyadi", Event::KeyDown, &Self::FormKeyDown},
    {"Soyadi", Event::KeyPress, &Self::SoyadiKeyPress},
    {"Soyadi", Event::KeyUp, &Self::FormKeyUp},
    {"Tamam", Event::Click, &Self::TamamClick},
    {"Tamam", Event::KeyDown, &Self::FormKeyDown},
    {"Tamam", Event::KeyUp, &Self::FormKeyUp},
    {"Kapat", Event::Click, &Self::KapatClick},
    {"Kapat", Event::KeyDown, &Self::FormKeyDown},
    {"Kapat", Event::KeyPress, &Self::KapatKeyPress},
    {"Kapat", Event::KeyUp, &Self::FormKeyUp},
};

constexpr char kEnter = '\r';
constexpr char kBackspace = '\b';
constexpr char kEksikBilgi[] =
    "Aday Numaras\xFD ve Ad-Soyad bilgisi tam olarak girilmeden yazmaya ba\xFElayamazs\xFDn\xFDz";
constexpr char kUyari[] = "Uyar\xFD !";

}  // namespace

TGirisForm::TGirisForm(HWND owner) {
    Build(GirisFormSpec(), GirisFormControls(), {}, owner);
    for (const char* edit : {"Adayno", "Adi", "Soyadi"}) SendMessageW(ControlHandle(edit), EM_SETLIMITTEXT, 0, 0);
    CentreOnScreen();
}

void TGirisForm::OnEvent(std::string_view source, Event event, platform::EventArgs& args) {
    platform::DispatchEvent<Self>(*this, kEventWiring, source, event, args);
}

void TGirisForm::CentreOnScreen() {
    RECT outer{0, 0, kGirisFormClientSize.cx, kGirisFormClientSize.cy};
    AdjustWindowRectEx(&outer, GetWindowLongW(Handle(), GWL_STYLE), FALSE, GetWindowLongW(Handle(), GWL_EXSTYLE));
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TGirisForm::IsIncomplete() const {
    return ControlText("Adi").empty() || ControlText("Soyadi").empty() || ControlText("Adayno").empty();
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
    AdayKaydi = {ControlText("Adayno"), text::HarfDonustur(ControlText("Adi")),
                 text::HarfDonustur(ControlText("Soyadi"))};
    Close();
    SendMessageW(GetWindow(Handle(), GW_OWNER), WM_CLOSE, 0, 0);
}

void TGirisForm::AdaynoKeyPress(platform::EventArgs& args) {
    const char c = args.character;
    if (c == kEnter) SetFocus(ControlHandle("Adi"));
    if (!((c >= '0' && c <= '9') || c == kBackspace)) args.character = 0;
}

void TGirisForm::AdiKeyPress(platform::EventArgs& args) {
    if (args.character != kEnter) return;
    SetFocus(ControlHandle("Soyadi"));
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
    const std::string number = ControlText("Adayno");
    std::string digits;
    std::ranges::copy_if(number, std::back_inserter(digits), [](char c) { return c >= '0' && c <= '9'; });
    if (digits == number) return;
    const HWND adayno = ControlHandle("Adayno");
    DWORD caret = 0;
    SendMessageW(adayno, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    const auto removedBefore = std::count_if(number.begin(), number.begin() + std::min<std::size_t>(caret, number.size()),
                                             [](char c) { return c < '0' || c > '9'; });
    SetControlText("Adayno", digits);
    const auto at = static_cast<WPARAM>(caret - removedBefore);
    SendMessageW(adayno, EM_SETSEL, at, static_cast<LPARAM>(at));
}

void TGirisForm::FormHitTest(platform::EventArgs& args) { platform::RefuseCaptionDrag(args); }

// However the dialog closes, a candidate who has not filled in every field leaves no session behind.
void TGirisForm::FormClose(platform::EventArgs&) {
    if (IsIncomplete()) ExitProcess(0);
}

}  // namespace entry
