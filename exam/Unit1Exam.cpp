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

void FillListBox(HWND listBox, const text::WordList& words) { platform::ReplaceListBoxItems(listBox, 0, words); }

bool IsAlt(WORD key) { return key == VK_MENU || key == VK_LMENU || key == VK_RMENU; }

}  // namespace

void TSinavForm::BaslatClick(platform::EventArgs&) {
    if (!exam_.Start(Now())) return;
    SetControlEnabled(SinavForm::Temizle, false);
    SetControlEnabled(SinavForm::Baslat, false);
    SetControlVisible(SinavForm::GroupBox1, false);

    const HWND metin = ControlHandle(SinavForm::Metin);
    LoadSampleText(metin);
    SetFocus(metin);
    platform::SelectRichEditRange(metin, 0, 0);

    const HWND yazilan = ControlHandle(SinavForm::Yazilan);
    SetControlText(SinavForm::Yazilan, "");
    platform::ClearRichEditUndo(yazilan);
    platform::SetRichEditReadOnly(yazilan, false);
    SetFocus(yazilan);

    SetControlText(SinavForm::StatusBar1, "...");

    ScheduleTimer(SinavForm::BaslatTimer, exam_.UntilNextStartTick(Now()));
    SetControlVisible(SinavForm::SurePanel, false);
    SetControlVisible(SinavForm::BaslaPanel, true);
}

// Shows 5, 4, 3, 2, 1; the exam clock starts when the five seconds have passed.
void TSinavForm::BaslatTimerTimer(platform::EventArgs&) {
    if (exam_.Current() != ExamState::Phase::StartCountdown) return;
    const auto now = Now();
    if (exam_.StartCountdownOver(now)) {
        SetFocus(ControlHandle(SinavForm::Yazilan));
        SayaclariGuncelle();
        return;
    }
    SetControlText(SinavForm::BaslatLabel, std::to_string(exam_.StartSecondsLeft(now)));
    ScheduleTimer(SinavForm::BaslatTimer, exam_.UntilNextStartTick(now));
}

void TSinavForm::StartExamClock() {
    if (!exam_.StartClock(ExamInstant())) return;
    SetTimerEnabled(SinavForm::BaslatTimer, false);
    SetControlText(SinavForm::BaslatLabel, std::to_string(ExamState::kStartSeconds));
    SetControlVisible(SinavForm::BaslaPanel, false);
    SetControlVisible(SinavForm::SurePanel, true);
    ShowExamClock();
}

void TSinavForm::ShowExamClock() {
    SetControlText(SinavForm::SureLabel, std::to_string(exam_.ExamSecondsLeft(Now())));
    ScheduleTimer(SinavForm::SinavTimer, exam_.UntilNextExamTick(Now()));
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
    const HWND yazilan = ControlHandle(SinavForm::Yazilan);
    const std::string typed = platform::RichEditText(yazilan);
    const std::string characters = kCharacterCountCaption + std::to_string(DisplayedCharacterCount(typed));
    FillLiveWordList(text::SplitWords(typed));
    SetControlText(SinavForm::StatusBar1, characters + kWordCountCaption + std::to_string(liveWords_.size()));
}

// Every line as the typing area shows it, wrapped ones included, counts its characters and a line break of two;
// a last empty line does not count. Each character lies on exactly one displayed line, so this is the characters
// other than line breaks plus two for each displayed line, without asking the control for every line's length.
int TSinavForm::DisplayedCharacterCount(std::string_view typed) const {
    const int lineBreaks = static_cast<int>(std::ranges::count(typed, '\n'));
    int lines = platform::RichEditLineCount(ControlHandle(SinavForm::Yazilan));
    if (typed.empty() || typed.ends_with("\r\n")) --lines;
    return static_cast<int>(typed.size()) - 2 * lineBreaks + 2 * lines;
}

// Typing changes the list only at its end, so only the entries from the first difference on are replaced.
void TSinavForm::FillLiveWordList(const text::WordList& words) {
    std::size_t same = 0;
    while (same < words.size() && same < liveWords_.size() && words[same] == liveWords_[same]) ++same;
    if (same == words.size() && same == liveWords_.size()) return;
    platform::ReplaceListBoxItems(ControlHandle(SinavForm::MetinListBox), same, std::span(words).subspan(same));
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
    if (!exam_.TimeUp(ExamInstant())) return;
    const HWND yazilan = ControlHandle(SinavForm::Yazilan);
    platform::SetRichEditReadOnly(yazilan, true);
    platform::ClearRichEditUndo(yazilan);
    SetControlText(SinavForm::SureLabel, "0");
    SetTimerEnabled(SinavForm::SinavTimer, false);
    const std::string typed = ControlText(SinavForm::Yazilan);
    const std::string characters = kCharacterCountCaption + std::to_string(DisplayedCharacterCount(typed));
    SetControlText(SinavForm::StatusBar1, characters);

    const text::ScoreResult result = text::ScoreWords(ControlText(SinavForm::Metin), typed, platform::WordSortKey);
    {
        result::TSonucForm sonucForm(Handle(), [this] { return Now(); });
        sonucForm.SetControlText(result::SonucForm::SonucLabel, std::to_string(result.typedWords.size()));
        sonucForm.ShowModal();
    }

    const HWND metinListBox = ControlHandle(SinavForm::MetinListBox);
    FillListBox(metinListBox, result.sampleWords);
    liveWords_.clear();
    SetControlText(SinavForm::StatusBar1, characters + kWordCountCaption + std::to_string(result.sampleWords.size()));
    ShowResults(result);
    platform::ProcessPendingMessages();
    SetControlVisible(SinavForm::GroupBox1, true);
    // "Yeni Oturum" takes clicks only now: one that came while the results were being shown would have begun the
    // next session inside this one.
    exam_.Scored();
    SetControlEnabled(SinavForm::Temizle, true);
}

void TSinavForm::ShowResults(const text::ScoreResult& result) {
    FillListBox(ControlHandle(SinavForm::DogruListBox), result.correctWords);
    FillListBox(ControlHandle(SinavForm::YanlisListBox), result.wrongWords);
    YanlislariIsaretle(result.wrongWords);

    const auto correct = static_cast<int>(result.correctWords.size());
    const auto wrong = static_cast<int>(result.wrongWords.size());
    platform::BarChart& chart = Chart(SinavForm::Chart2);
    chart.Clear();
    chart.Add("Do\xF0ru", correct, kCorrectBarColour);
    chart.Add("Yanl\xFD\xFE", wrong, kWrongBarColour);
    SetControlText(SinavForm::ltoplamyer, std::to_string(correct + wrong));
}

// Underlines every typed occurrence of a wrong word, judged with the scoring's own word key. The typed text has the
// typing area's CR LF line breaks, so its positions are the control's.
void TSinavForm::YanlislariIsaretle(const text::WordList& wrongWords) {
    const HWND yazilan = ControlHandle(SinavForm::Yazilan);
    const std::string typed = ControlText(SinavForm::Yazilan);
    const std::vector<text::WordSpan> spans = text::LocateWrongWords(typed, wrongWords, platform::WordSortKey);
    for (const text::WordSpan& span : spans) {
        SetFocus(yazilan);
        platform::SelectRichEditRange(yazilan, span.start, span.length);
        platform::SetRichEditSelectionStyle(yazilan, platform::TextStyle::Underline);
    }
    platform::SelectRichEditRange(yazilan, platform::RichEditSelectionStart(yazilan), 0);
}

}  // namespace exam
