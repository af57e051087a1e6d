// The exam itself: loading the sample text, the start countdown, the exam clock, the live counters and the
// finish sequence with the results.
#include <algorithm>
#include <string>

#include "exam/SampleText.h"
#include "exam/Unit1.h"
#include "platform/ListBox.h"
#include "platform/MessageLoop.h"
#include "platform/RichEdit.h"
#include "platform/WordComparison.h"
#include "result/SonucUnit.h"

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
    LoadSampleText(metin);
    SetFocus(metin.Handle());
    metin.Select(0, 0);

    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    yazilan.SetText("");
    yazilan.ClearUndo();
    yazilan.SetReadOnly(false);
    SetFocus(yazilan.Handle());

    Control(SinavForm::StatusBar1).SetText("...");

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
    Timer(SinavForm::BaslatTimer).SetEnabled(false);
    Control(SinavForm::BaslatLabel).SetText(std::to_string(ExamState::kStartSeconds));
    Control(SinavForm::BaslaPanel).SetVisible(false);
    Control(SinavForm::SurePanel).SetVisible(true);
    ShowExamClock();
}

void TSinavForm::ShowExamClock() {
    Control(SinavForm::SureLabel).SetText(std::to_string(exam_.ExamSecondsLeft(Now())));
    Timer(SinavForm::SinavTimer).Schedule(exam_.UntilNextExamTick(Now()));
}

// A clock stopped by the supervisor goes on at the next key released here, unless it is one of the sequence's
// own keys: the sixth digit and Alt are still being released when the sequence has done its work.
void TSinavForm::YazilanKeyUp(platform::EventArgs& args) {
    const std::size_t key = args.key & 0xFF;
    const bool ofTheSequence = IsAlt(args.key) || sequenceKeysDown_[key];
    sequenceKeysDown_[key] = false;
    if (!ofTheSequence && exam_.Resume(Now())) {
        sequenceKeysDown_.reset();
        ShowExamClock();
    }
    SayaclariGuncelle();
}

// A key that arrives once the exam's time has passed, before the clock's late tick, ends the exam instead of
// typing: the candidate never gets more than the exam's time.
void TSinavForm::YazilanTyping(platform::EventArgs& args) {
    if (!exam_.ExamTimeOver(Now())) return;
    args.key = 0;
    args.character = 0;
    FinishExam();
}

void TSinavForm::SayaclariGuncelle() {
    if (!exam_.AcceptsTyping()) return;
    if (exam_.Current() == ExamState::Phase::StartCountdown) StartExamClock();
    const std::string typed = Control(SinavForm::Yazilan).Text();
    const std::string characters = kCharacterCountCaption + std::to_string(DisplayedCharacterCount(typed));
    FillLiveWordList(text::SplitWords(typed));
    Control(SinavForm::StatusBar1).SetText(characters + kWordCountCaption + std::to_string(liveWords_.size()));
}

// Every line as the typing area shows it, wrapped ones included, counts its characters and a line break of two;
// a last empty line does not count. Each character lies on exactly one displayed line, so this is the characters
// other than line breaks plus two for each displayed line, without asking the control for every line's length.
int TSinavForm::DisplayedCharacterCount(std::string_view typed) const {
    const int lineBreaks = static_cast<int>(std::ranges::count(typed, '\n'));
    int lines = Control(SinavForm::Yazilan).LineCount();
    if (typed.empty() || typed.ends_with("\r\n")) --lines;
    return static_cast<int>(typed.size()) - 2 * lineBreaks + 2 * lines;
}

// Typing changes the list only at its end, so only the entries from the first difference on are replaced.
void TSinavForm::FillLiveWordList(const text::WordList& words) {
    std::size_t same = 0;
    while (same < words.size() && same < liveWords_.size() && words[same] == liveWords_[same]) ++same;
    if (same == words.size() && same == liveWords_.size()) return;
    Control(SinavForm::MetinListBox).ReplaceItems(same, std::span(words).subspan(same));
    liveWords_ = words;
}

void TSinavForm::SinavTimerTimer(platform::EventArgs&) {
    if (exam_.Current() != ExamState::Phase::Running) return;
    if (exam_.ExamTimeOver(Now())) {
        FinishExam();
        return;
    }
    ShowExamClock();
}

// Runs once per exam. From here on nothing changes the typed text: the typing area is read-only, its undo
// history is gone, and the exam's state refuses every key that would type.
void TSinavForm::FinishExam() {
    if (!exam_.TimeUp(Now())) return;
    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    yazilan.SetReadOnly(true);
    yazilan.ClearUndo();
    Control(SinavForm::SureLabel).SetText("0");
    Timer(SinavForm::SinavTimer).SetEnabled(false);
    const std::string typed = Control(SinavForm::Yazilan).Text();
    const std::string characters = kCharacterCountCaption + std::to_string(DisplayedCharacterCount(typed));

    // The status bar paints itself as it changes, which takes a while when another program floods the queue: it
    // says the count once the time-up dialog is on screen.
    const text::ScoreResult result = text::ScoreWords(Control(SinavForm::Metin).Text(), typed, platform::WordSortKey);
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
    const std::vector<text::WordSpan> wrongSpans =
        text::LocateWrongWords(typed, result.wrongWords, platform::WordSortKey);
    const result::ExamRecord record = RecordOf(typed, result, wrongSpans);
    KeepRecord(record);

    Control(SinavForm::MetinListBox).SetItems(result.sampleWords);
    liveWords_.clear();
    statusCounts_ = characters + kWordCountCaption + std::to_string(result.sampleWords.size());
    ShowStatus();
    ShowResults(result, wrongSpans);
    platform::DeliverWaitingInput();
    Control(SinavForm::GroupBox1).SetVisible(true);
    // "Yeni Oturum" takes clicks only now: one that came while the results were being shown would have begun the
    // next session inside this one.
    exam_.Scored();
    Control(SinavForm::Temizle).SetEnabled(true);
    PaintNow();
    PrintRecord(record);
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
