#include "exam/ExamWindow.h"

#include "exam/ExamWindowLayout.h"
#include "platform/Files.h"
#include "platform/KeyDerivation.h"
#include "platform/MessageLoop.h"
#include "platform/ProgramEnd.h"
#include "platform/ProgramVersion.h"
#include "platform/WordComparison.h"

namespace exam {

namespace {

using platform::Event;
using platform::EventWiring;
using Self = TSinavForm;

constexpr int kKapatBtnRightGap = 39;  // keeps the 35-pixel button 4 pixels from the panel's right end
// The results boxes right of the sample words keep the width they have on the 1024-pixel screen the window is
// designed for, in proportion to the window's width.
constexpr int kDesignedScreenWidth = 1024;
constexpr int kResultBoxWidth = 200;
// Lines of the sample and typed texts run no longer than this (designed pixels, about 100 characters of the
// sample's face and 80 of the typed text's); on a wide screen the text stands in a centred column.
constexpr int kReadableLineWidth = 640;

void LimitToReadableLines(const platform::RichEditView& area, int dpi) {
    area.LimitLineWidth(geometry::Scaled(kReadableLineWidth, dpi));
}

const EventWiring<Self> kEventWiring[] = {
    {Self::kSelf, Event::Show, &Self::FormShow},
    {Self::kSelf, Event::Resize, &Self::FormResize},
    {Self::kSelf, Event::Close, &Self::FormClose},
    {Self::kSelf, Event::KeyDown, &Self::FormKeyDown},
    {Self::kSelf, Event::HitTest, &Self::FormHitTest},
    {SinavForm::Metin, Event::KeyDown, &Self::FormKeyDown},
    {SinavForm::Yazilan, Event::KeyDown, &Self::FormKeyDown},
    {SinavForm::Yazilan, Event::KeyUp, &Self::YazilanKeyUp},
    {SinavForm::Yazilan, Event::KeyDown, &Self::YazilanKeyDown},
    {SinavForm::Yazilan, Event::KeyPress, &Self::YazilanKeyPress},
    {SinavForm::Yazilan, Event::Recreated, &Self::YazilanRecreated},
    {SinavForm::Metin, Event::Recreated, &Self::MetinRecreated},
    {SinavForm::Yazilan, Event::MouseDown, &Self::YazilanMouseDown},
    {SinavForm::MetinListBox, Event::KeyDown, &Self::FormKeyDown},
    {SinavForm::DogruListBox, Event::KeyDown, &Self::FormKeyDown},
    {SinavForm::YanlisListBox, Event::KeyDown, &Self::FormKeyDown},
    {SinavForm::Temizle, Event::Click, &Self::TemizleClick},
    {SinavForm::Temizle, Event::KeyDown, &Self::FormKeyDown},
    {SinavForm::Baslat, Event::Click, &Self::BaslatClick},
    {SinavForm::Baslat, Event::KeyDown, &Self::FormKeyDown},
    {SinavForm::KapatBtn, Event::Click, &Self::KapatBtnClick},
    {SinavForm::KapatBtn, Event::KeyDown, &Self::FormKeyDown},
    {SinavForm::CaptionPanel, Event::Resize, &Self::CaptionPanelResize},
    {SinavForm::Metin, Event::Resize, &Self::MetinResize},
    {SinavForm::Yazilan, Event::Resize, &Self::YazilanResize},
    {SinavForm::SinavTimer, &Self::SinavTimerTimer},
    {SinavForm::BaslatTimer, &Self::BaslatTimerTimer},
};

}  // namespace

// The session's surroundings are this computer's: its name, the clock's local time, Windows' word comparison.
TSinavForm::TSinavForm(Controls controls, KeySources keys, config::Settings settings, std::wstring journalFolder,
                       std::wstring hallFolder)
    : FormOf(kEventWiring, SinavFormLayout()),
      session_({
          .computerLabel = ProgramLabel(),
          .computerName = BilgisayarAdi(),
          .version = std::string(platform::ProgramVersion()),
          .board = settings.board,
          .wordKey = platform::WordSortKey,
          .localTime = &result::LocalTimeOf,
      }),
      input_(keys),
      settings_(std::move(settings)),
      screen_(*this),
      journals_(journalFolder),
      unfinished_(std::move(journalFolder)) {
    if (!hallFolder.empty()) {
        hallState_ = std::make_unique<hall::StateWriter>(std::move(hallFolder));
        const platform::WholeFile last = platform::ReadSharedFile(hallState_->Path(), hall::kMaxStateFileBytes);
        session_.ChainHallStates(hall::StateChain(hall::LastSeqIn(last.bytes), &platform::Sha256Hex));
    }
    BuildFrame();
    keeper_.emplace(Handle(), kPrintedMessage, settings_);
    screen_.Cover();
    if (controls == Controls::AtOnce) {
        BuildControls();
        Control(SinavForm::PCLabel).SetText(ProgramLabel());
    }
}

std::optional<LRESULT> TSinavForm::FilterControlMessage(int control, HWND, UINT message, WPARAM wParam, LPARAM) {
    using Target = ExamInputFilter::Target;
    const Target target = control == SinavForm::Yazilan.index ? Target::TypingArea
                          : control == SinavForm::Metin.index ? Target::SampleText
                                                              : Target::OtherControl;
    if (input_.Refuses(target, message, wParam, session_.Exam().AcceptsTyping())) return 0;
    return std::nullopt;
}

// Windows may always end the session; when it does, the process goes without the close handler and whatever dialog
// is open, holding up the shutdown no longer than a record still printing may take (RecordPrinter::kExitWaitMs). An
// exam under way stays in its journal, as when the supervisor closes the program.
// The borderless window has no system menu: a system command other than closing comes from another program that
// would minimise, move or size it.
LRESULT TSinavForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (!wParam) return 0;
        journals_.Flush();
        platform::EndProgram(0);
        return 0;
    case WM_DESTROY:
        platform::RequestQuit(0);
        return 0;
    case kPrintedMessage: {
        const result::RecordKeeper::PrintsEnded ended = keeper_->TakePrintOutcomes();
        journals_.PrintsEnded(ended.jobs);
        if (ended.current) {
            ShowStatus();
            TellTheHall();
        }
        return 0;
    }
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != SC_CLOSE) return 0;
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) screen_.Activated();
        break;
    default:
        if (input_.Refuses(ExamInputFilter::Target::Window, message, wParam, session_.Exam().AcceptsTyping())) return 0;
        break;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

void TSinavForm::Refit() { screen_.Refit(); }

// A text area lays its whole text out again whenever its column is set: each sets only its own, when it is resized.
void TSinavForm::MetinResize(platform::EventArgs&) { LimitToReadableLines(Control(SinavForm::Metin), Dpi()); }

void TSinavForm::YazilanResize(platform::EventArgs&) { LimitToReadableLines(Control(SinavForm::Yazilan), Dpi()); }

void TSinavForm::FormShow(platform::EventArgs& args) { FormResize(args); }

void TSinavForm::FormResize(platform::EventArgs&) {
    RECT client;
    GetClientRect(Handle(), &client);
    Control(SinavForm::Metin).SetWidth(client.right / 2);
    Control(SinavForm::GroupBox2).SetWidth(client.right / 4);
    const int boxWidth = kResultBoxWidth * client.right / kDesignedScreenWidth;
    for (const Id box : {Id(SinavForm::GroupBox4), Id(SinavForm::GroupBox3), Id(SinavForm::Panel2)})
        Control(box).SetWidth(boxWidth);
}

void TSinavForm::CaptionPanelResize(platform::EventArgs&) {
    Control(SinavForm::KapatBtn)
        .SetLeft(Control(SinavForm::CaptionPanel).Bounds().width - geometry::Scaled(kKapatBtnRightGap, Dpi()));
}

}  // namespace exam
