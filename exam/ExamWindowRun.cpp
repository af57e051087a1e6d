// The exam itself: loading the sample text, the start countdown, the exam clock, the live counters and the
// finish sequence with the results.
#include <algorithm>
#include <string>
#include <utility>

#include "exam/ExamWindow.h"
#include "exam/SampleText.h"
#include "platform/ListBox.h"
#include "platform/MessageLoop.h"
#include "platform/RichEdit.h"
#include "platform/WordComparison.h"
#include "result/TimeUpDialog.h"

namespace exam {

namespace {

constexpr char kCharacterCountCaption[] = "Karakter say\xFDs\xFD: ";
constexpr char kWordCountCaption[] = "    Kelime say\xFDs\xFD: ";
constexpr COLORREF kCorrectBarColour = RGB(0, 128, 0);
constexpr COLORREF kWrongBarColour = RGB(255, 0, 0);

bool IsAlt(WORD key) { return key == VK_MENU || key == VK_LMENU || key == VK_RMENU; }

}  // namespace

void TSinavForm::BaslatClick(platform::EventArgs&) {
    if (!exam_.Start(Now())) return;
    Control(SinavForm::Temizle).SetEnabled(false);
    Control(SinavForm::Baslat).SetEnabled(false);
    Control(SinavForm::GroupBox1).SetVisible(false);

    const platform::RichEditView metin = Control(SinavForm::Metin);
    sample_ = ReadSampleText();
    ShowSampleText(metin, *sample_);
    sampleText_ = metin.Text();
    SetFocus(metin.Handle());
    metin.Select(0, 0);

    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    yazilan.SetText("");
    yazilan.ClearUndo();
    yazilan.SetReadOnly(false);
    SetFocus(yazilan.Handle());

    OpenJournal();
    Control(SinavForm::StatusBar1).SetText("..." + JournalNotice());
    TellTheHall();

    Timer(SinavForm::BaslatTimer).Schedule(exam_.UntilNextStartTick(Now()));
    Control(SinavForm::SurePanel).SetVisible(false);
    Control(SinavForm::BaslaPanel).SetVisible(true);
}

// Shows 5, 4, 3, 2, 1; the exam clock starts when the five seconds have passed.
void TSinavForm::BaslatTimerTimer(platform::EventArgs&) {
    if (exam_.Current() != ExamState::Phase::StartCountdown) return;
    const auto now = Now();
    if (exam_.StartCountdownOver(now)) {
        SetFocus(Control(SinavForm::Yazilan).Handle());
        SayaclariGuncelle();
        return;
    }
    Control(SinavForm::BaslatLabel).SetText(std::to_string(exam_.StartSecondsLeft(now)));
    Timer(SinavForm::BaslatTimer).Schedule(exam_.UntilNextStartTick(now));
}

void TSinavForm::StartExamClock() {
    if (!exam_.StartClock(ExamInstant())) return;
    journal_.Write(journal::ClockStarted{WallMs(exam_.ClockStarted()->wall)});
    ShowCloseButton(false);
    Timer(SinavForm::BaslatTimer).SetEnabled(false);
    Control(SinavForm::BaslatLabel).SetText(std::to_string(ExamState::kStartSeconds));
    Control(SinavForm::BaslaPanel).SetVisible(false);
    Control(SinavForm::SurePanel).SetVisible(true);
    ShowExamClock();
    TellTheHall();
}

void TSinavForm::ShowExamClock() {
    Control(SinavForm::SureLabel).SetText(std::to_string(exam_.ExamSecondsLeft(Now())));
    Timer(SinavForm::SinavTimer).Schedule(exam_.UntilNextExamTick(Now()));
}

// A clock stopped by the supervisor goes on at the next key released here, unless it is one of the sequence's
// own keys: the sixth digit and Alt are still being released when the sequence has done its work. It goes on as of
// the release, which may have waited in the queue behind the sequence's check.
void TSinavForm::YazilanKeyUp(platform::EventArgs& args) {
    const std::size_t key = args.key & 0xFF;
    const bool ofTheSequence = IsAlt(args.key) || sequenceKeysDown_[key];
    sequenceKeysDown_[key] = false;
    if (!ofTheSequence && exam_.Resume(Now() - args.sinceKey)) {
        journal_.Write(journal::Resumed{ExamMs(), WallMs(ExamState::WallClock::now())});
        sequenceKeysDown_.reset();
        ShowCloseButton(false);
        ShowExamClock();
        TellTheHall();
    }
    SayaclariGuncelle();
}

// A key that arrives once the exam's time has passed, before the clock's late tick, ends the exam instead of
// typing: the candidate never gets more than the exam's time.
bool TSinavForm::EndsTheExam(platform::EventArgs& args) {
    if (!exam_.ExamTimeOver(Now())) return false;
    args.key = 0;
    args.character = 0;
    FinishExam();
    return true;
}

// The keys that change the text change the exam's text first; the typing area only shows what they did. Keys that
// only move the caret or the selection are the typing area's own.
void TSinavForm::YazilanKeyDown(platform::EventArgs& args) {
    if (EndsTheExam(args)) return;
    if (args.alt) {
        if (args.key == VK_BACK || args.key == VK_DELETE) args.key = 0;  // undo, or nothing the exam knows
        return;
    }
    using Direction = TypedText::Direction;
    const TypedText::Reach reach = args.ctrl ? TypedText::Reach::Word : TypedText::Reach::Character;
    std::optional<TypedText::Edit> edit;
    switch (args.key) {
    case VK_BACK:
        edit = typed_.Erase(TypingSelection(), Direction::Backward, reach);
        break;
    case VK_DELETE:
        if (args.shift) return;  // cutting, which the input rules refuse
        edit = typed_.Erase(TypingSelection(), Direction::Forward, reach);
        break;
    case VK_RETURN:
        edit = typed_.Type(TypingSelection(), "\r");
        break;
    case VK_TAB:
        edit = typed_.Type(TypingSelection(), "\t");
        break;
    default:
        return;
    }
    args.key = 0;
    if (exam_.AcceptsTyping()) ApplyEdit(edit);
}

void TSinavForm::YazilanKeyPress(platform::EventArgs& args) {
    if (EndsTheExam(args)) return;
    const char character = std::exchange(args.character, 0);
    if (!ExamInputFilter::TypesCharacter(ExamInputFilter::Target::TypingArea, static_cast<unsigned char>(character),
                                         exam_.AcceptsTyping()))
        return;
    ApplyEdit(typed_.Type(TypingSelection(), std::string(1, character)));
}

TypedText::Range TSinavForm::TypingSelection() const {
    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    const auto start = static_cast<std::size_t>(yazilan.SelectionStart());
    return {start, start + static_cast<std::size_t>(yazilan.SelectionLength())};
}

void TSinavForm::ApplyEdit(const std::optional<TypedText::Edit>& edit) {
    if (!edit) return;
    journal_.Write(journal::Edit{ExamMs(), static_cast<std::uint32_t>(edit->start),
                                 static_cast<std::uint32_t>(edit->removed), edit->inserted});
    liveWordsShown_ = std::min(liveWordsShown_, typed_.Apply(*edit));
    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    yazilan.Replace(static_cast<int>(edit->start), static_cast<int>(edit->removed), edit->inserted);
    if (static_cast<std::size_t>(yazilan.TextLength()) != typed_.Size()) ShowTypedText();
}

// Shows the exam's text in the typing area again, its caret at the end and, once scored, its wrong words underlined.
void TSinavForm::ShowTypedText() {
    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    yazilan.SetText(typed_.Text());
    yazilan.ClearUndo();
    const bool scored = exam_.Current() == ExamState::Phase::Finished || exam_.Current() == ExamState::Phase::Scoring;
    if (scored) YanlislariIsaretle(wrongSpans_);
    yazilan.Select(static_cast<int>(typed_.Size()), 0);
}

// Another program may have taken a text area away or changed it behind the input rules' back: the exam's own texts
// are shown again. A full comparison costs a few microseconds a second.
void TSinavForm::KeepTextAreas() {
    KeepControls();
    if (Control(SinavForm::Yazilan).Text() != typed_.Text()) ShowTypedText();
    const platform::RichEditView metin = Control(SinavForm::Metin);
    if (sample_ && metin.Text() != sampleText_) ShowSampleText(metin, *sample_);
}

void TSinavForm::YazilanRecreated(platform::EventArgs&) {
    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    yazilan.SetReadOnly(!exam_.AcceptsTyping());
    ShowTypedText();
    if (exam_.AcceptsTyping()) SetFocus(yazilan.Handle());
}

void TSinavForm::MetinRecreated(platform::EventArgs&) {
    if (sample_) ShowSampleText(Control(SinavForm::Metin), *sample_);
}

void TSinavForm::SayaclariGuncelle() {
    if (!exam_.AcceptsTyping()) return;
    if (exam_.Current() == ExamState::Phase::StartCountdown) StartExamClock();
    const std::string characters = kCharacterCountCaption + std::to_string(DisplayedCharacterCount());
    ShowLiveWords();
    Control(SinavForm::StatusBar1)
        .SetText(characters + kWordCountCaption + std::to_string(typed_.WordCount()) + JournalNotice());
}

// Every line as the typing area shows it, wrapped ones included, counts its characters and a line break of two;
// a last empty line does not count. Each character lies on exactly one displayed line, so this is the characters
// other than line breaks plus two for each displayed line, without asking the control for every line's length.
int TSinavForm::DisplayedCharacterCount() const {
    const std::string_view typed = typed_.Text();
    const auto lineBreaks = static_cast<int>(typed_.LineBreaks());
    int lines = Control(SinavForm::Yazilan).LineCount();
    if (typed.empty() || typed.ends_with("\r\n")) --lines;
    return static_cast<int>(typed.size()) - 2 * lineBreaks + 2 * lines;
}

// Typing changes the list only from the first word it touched on.
void TSinavForm::ShowLiveWords() {
    const auto listed = static_cast<std::size_t>(Control(SinavForm::MetinListBox).Count());
    if (liveWordsShown_ == typed_.WordCount() && liveWordsShown_ == listed) return;
    std::vector<std::string> changed;
    for (std::size_t i = liveWordsShown_; i < typed_.WordCount(); ++i) changed.push_back(typed_.Word(i));
    Control(SinavForm::MetinListBox).ReplaceItems(liveWordsShown_, changed);
    liveWordsShown_ = typed_.WordCount();
}

// A stopped exam's PC goes on telling the hall it is there, so that one killed while stopped shows as not answering.
void TSinavForm::SinavTimerTimer(platform::EventArgs&) {
    if (exam_.Current() == ExamState::Phase::Stopped) {
        TellTheHallWhileRunning();
        Timer(SinavForm::SinavTimer).Schedule(kStoppedBeat);
        return;
    }
    if (exam_.Current() != ExamState::Phase::Running) return;
    if (exam_.ExamTimeOver(Now())) {
        FinishExam();
        return;
    }
    KeepTextAreas();
    ShowExamClock();
    WriteTick();
    TellTheHallWhileRunning();
}

// Runs once per exam. From here on nothing changes the typed text: the typing area is read-only, its undo
// history is gone, and the exam's state refuses every key that would type.
void TSinavForm::FinishExam() {
    if (!exam_.TimeUp(Now())) return;
    journal_.WriteNow(journal::TimeUp{ExamMs(), WallMs(exam_.ClockEnded()->wall)});
    ScoreAndKeep();
}

void TSinavForm::ScoreAndKeep(const journal::JournalState* completing) {
    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    yazilan.SetReadOnly(true);
    yazilan.ClearUndo();
    Control(SinavForm::SureLabel).SetText("0");
    Timer(SinavForm::SinavTimer).SetEnabled(false);
    KeepTextAreas();
    const std::string& typed = typed_.Text();
    const std::string characters = kCharacterCountCaption + std::to_string(DisplayedCharacterCount());

    // The status bar paints itself as it changes, which takes a while when another program floods the queue: it
    // says the count once the time-up dialog is on screen.
    const text::ScoreResult result = text::ScoreWords(sampleText_, typed, platform::WordSortKey);
    TellTheHall();
    {
        result::TSonucForm sonucForm(Handle(), [this] { return Now(); });
        sonucForm.Control(result::SonucForm::SonucLabel).SetText(std::to_string(result.typedWords.size()));
        sonucForm.ShowModal([&] {
            Control(SinavForm::StatusBar1).SetText(characters);
            return false;
        });
    }

    // The record is on disk before the results are on screen: whatever happens to the program from here on, the
    // exam is not lost. It is printed once they are there, so that the printing never holds them up.
    wrongSpans_ = text::LocateWrongWords(typed, result.wrongWords, platform::WordSortKey);
    const result::ExamRecord record = RecordOf(typed, result, wrongSpans_);
    const std::wstring documentPath = keeper_->Keep(record);
    const bool recordJournaled = completing && !completing->documentName.empty();
    if (!documentPath.empty() && !recordJournaled)
        journal_.WriteNow(journal::RecordKept{WallMs(ExamState::WallClock::now()), FileNameOf(documentPath)});

    Control(SinavForm::MetinListBox).SetItems(result.sampleWords);
    statusCounts_ = characters + kWordCountCaption + std::to_string(result.sampleWords.size()) + JournalNotice();
    ShowStatus();
    ShowResults(result, wrongSpans_);
    platform::DeliverWaitingInput();
    Control(SinavForm::GroupBox1).SetVisible(true);
    // "Yeni Oturum" takes clicks only now: one that came while the results were being shown would have begun the
    // next session inside this one.
    exam_.Scored();
    Control(SinavForm::Temizle).SetEnabled(true);
    PaintNow();
    if (completing && completing->stage == journal::Stage::Printed) {
        journal_.Finish(documentPath);
    } else {
        awaitingPrint_.push_back({keeper_->Print(record), std::exchange(journal_, {}), documentPath});
    }
    ShowStatus();
    TellTheHall();
}

void TSinavForm::PrintsEnded(const std::vector<int>& jobs) {
    std::erase_if(awaitingPrint_, [&](AwaitingPrint& awaiting) {
        if (std::ranges::find(jobs, awaiting.job) == jobs.end()) return false;
        awaiting.journal.WriteNow(journal::Printed{WallMs(ExamState::WallClock::now())});
        awaiting.journal.Finish(awaiting.documentPath);
        return true;
    });
}

void TSinavForm::ShowResults(const text::ScoreResult& result, const std::vector<text::WordSpan>& wrongSpans) {
    Control(SinavForm::DogruListBox).SetItems(result.correctWords);
    Control(SinavForm::YanlisListBox).SetItems(result.wrongWords);
    YanlislariIsaretle(wrongSpans);

    const auto correct = static_cast<int>(result.correctWords.size());
    const auto wrong = static_cast<int>(result.wrongWords.size());
    const platform::ChartView chart = Control(SinavForm::Chart2);
    chart.Clear();
    chart.Add("Do\xF0ru", correct, kCorrectBarColour);
    chart.Add("Yanl\xFD\xFE", wrong, kWrongBarColour);
    Control(SinavForm::ltoplamyer).SetText(std::to_string(correct + wrong));
}

void TSinavForm::YanlislariIsaretle(const std::vector<text::WordSpan>& wrongSpans) {
    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    for (const text::WordSpan& span : wrongSpans) {
        SetFocus(yazilan.Handle());
        yazilan.Select(span.start, span.length);
        yazilan.StyleSelection(platform::TextStyle::Underline);
    }
    yazilan.Select(yazilan.SelectionStart(), 0);
}

}  // namespace exam
