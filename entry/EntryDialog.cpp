#include "entry/EntryDialog.h"

#include <cstdio>
#include <iterator>

#include "entry/EntryDialogLayout.h"
#include "entry/pure/FieldText.h"
#include "platform/Cp1254.h"
#include "platform/Guards.h"
#include "platform/ProgramEnd.h"
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
    {GirisForm::Adi, Event::Change, &Self::AdiChange},
    {GirisForm::Adi, Event::KeyUp, &Self::FormKeyUp},
    {GirisForm::Soyadi, Event::KeyDown, &Self::FormKeyDown},
    {GirisForm::Soyadi, Event::KeyPress, &Self::SoyadiKeyPress},
    {GirisForm::Soyadi, Event::Change, &Self::SoyadiChange},
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
constexpr char kYazilamaz[] =
    " yaz\xFDlamaz: aday numaras\xFD ve ad-soyad yaln\xFDzca T\xFCrk\xE7"
    "e Windows karakterleriyle (Windows-1254) yaz\xFDl\xFDr.";

std::wstring AsWide(const std::u16string& text) { return {text.begin(), text.end()}; }

// The character itself, for whoever can see it, and its code, for whoever cannot.
std::wstring Named(char32_t c) {
    std::wstring glyph;
    if (c > 0xFFFF) {
        glyph += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        glyph += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        glyph += static_cast<wchar_t>(c);
    }
    wchar_t code[16];
    std::swprintf(code, std::size(code), L" (U+%04X)", static_cast<unsigned>(c));
    return L"\u00AB" + glyph + L"\u00BB" + code;
}

}  // namespace

TGirisForm::TGirisForm(HWND owner) : FormOf(kEventWiring, GirisFormLayout()) {
    Build(owner);
    SendMessageW(Control(GirisForm::Adayno).Handle(), EM_SETLIMITTEXT, kMaxCandidateDigits, 0);
    for (const auto name : {GirisForm::Adi, GirisForm::Soyadi})
        SendMessageW(Control(name).Handle(), EM_SETLIMITTEXT, 0, 0);
    CentreClientArea(kGirisFormClientSize);
}

// A typed character that Windows-1254 lacks would reach the field as '?', once the key's character has become the
// program's text: it is refused before. A character beyond U+FFFF comes as two, its surrogates, and is named once.
std::optional<LRESULT> TGirisForm::FilterControlMessage(int control, HWND, UINT message, WPARAM wParam, LPARAM) {
    const bool field =
        control == GirisForm::Adayno.index || control == GirisForm::Adi.index || control == GirisForm::Soyadi.index;
    if (message != WM_CHAR || !field) return std::nullopt;
    const auto unit = static_cast<wchar_t>(wParam);
    if (IS_HIGH_SURROGATE(unit)) {
        highSurrogate_ = unit;
        return 0;
    }
    const char32_t c = IS_LOW_SURROGATE(unit) && highSurrogate_
                           ? 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00)
                           : char32_t{unit};
    highSurrogate_ = 0;
    if (HasCp1254Form(c)) return std::nullopt;
    RefuseCharacter(c);
    return 0;
}

void TGirisForm::RefuseCharacter(char32_t c) const {
    MessageBoxW(Handle(), (Named(c) + platform::WidenCp1254(kYazilamaz)).c_str(), platform::WidenCp1254(kUyari).c_str(),
                MB_OK | MB_ICONINFORMATION);
}

// Text can also arrive pasted, dropped or set by another program, never passing the key filter: whatever comes, the
// field keeps only what its rule takes, the caret where it was among what is kept.
void TGirisForm::KeepWhatTheFieldTakes(Id field, KeptText (*rule)(const FieldText&)) {
    const HWND edit = Control(field).Handle();
    std::wstring text(GetWindowTextLengthW(edit) + 1, L'\0');
    text.resize(GetWindowTextW(edit, text.data(), static_cast<int>(text.size())));
    DWORD caret = 0;
    SendMessageW(edit, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    const KeptText kept = rule({{text.begin(), text.end()}, caret});
    if (AsWide(kept.field.text) != text) {
        Control(field).SetText(platform::NarrowCp1254(AsWide(kept.field.text)));
        SendMessageW(edit, EM_SETSEL, kept.field.caret, static_cast<LPARAM>(kept.field.caret));
    }
    if (kept.firstLacking) RefuseCharacter(*kept.firstLacking);
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

void TGirisForm::AdaynoChange(platform::EventArgs&) { KeepWhatTheFieldTakes(GirisForm::Adayno, CandidateNumber); }

void TGirisForm::AdiChange(platform::EventArgs&) { KeepWhatTheFieldTakes(GirisForm::Adi, Name); }

void TGirisForm::SoyadiChange(platform::EventArgs&) { KeepWhatTheFieldTakes(GirisForm::Soyadi, Name); }

void TGirisForm::FormHitTest(platform::EventArgs& args) { platform::RefuseCaptionDrag(args); }

// However the dialog closes, a candidate who has not filled in every field leaves no session behind.
void TGirisForm::FormClose(platform::EventArgs&) {
    if (IsIncomplete()) platform::EndProgram(0);
}

}  // namespace entry
