// The exam itself: loading the sample text, the start countdown, the exam clock, the live counters and the
// finish sequence with the results.
#include <algorithm>
#include <string>

#include "exam/SampleText.h"
#include "exam/Unit1.h"
#include "platform/ListBox.h"
#include "platform/RichEdit.h"
#include "platform/WordComparison.h"
#include "result/SonucUnit.h"

namespace exam {

namespace {

constexpr int kStartSeconds = 5;
constexpr char kCharacterCountCaption[] = "Karakter say\xFDs\xFD: ";
constexpr char kWordCountCaption[] = "    Kelime say\xFDs\xFD: ";
constexpr COLORREF kCorrectBarColour = RGB(0, 128, 0);
constexpr COLORREF kWrongBarColour = RGB(255, 0, 0);

void FillListBox(HWND listBox, const text::WordList& words) { platform::ReplaceListBoxItems(listBox, 0, words); }

// Lets the window paint and take the input that waited while the results were computed.
void ProcessPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

void TSinavForm::BaslatClick(platform::EventArgs&) {
    SetControlEnabled("Temizle", false);
    SetControlEnabled("Baslat", false);
    SetControlVisible("GroupBox1", false);

    const HWND metin = ControlHandle("Metin");
    LoadSampleText(metin);
    SetFocus(metin);
    platform::SelectRichEditRange(metin, 0, 0);

    const HWND yazilan = ControlHandle("Yazilan");
    SetControlText("Yazilan", "");
    platform::SetRichEditReadOnly(yazilan, false);
    SetFocus(yazilan);

    SetControlText("StatusBar1", "...");

    startCountdown_.Start(Now(), kStartSeconds);
    ScheduleTimer("BaslatTimer", startCountdown_.UntilNextTick(Now()));
    SetControlVisible("SurePanel", false);
    SetControlVisible("BaslaPanel", true);
}

// Shows 5, 4, 3, 2, 1; the exam clock starts when the five seconds have passed.
void TSinavForm::BaslatTimerTimer(platform::EventArgs&) {
    const auto now = Now();
    if (startCountdown_.Finished(now)) {
        EndStartCountdown();
        SetFocus(ControlHandle("Yazilan"));
        SayaclariGuncelle();
        return;
    }
    SetControlText("BaslatLabel", std::to_string(startCountdown_.SecondsLeft(now)));
    ScheduleTimer("BaslatTimer", startCountdown_.UntilNextTick(now));
}

void TSinavForm::EndStartCountdown() {
    SetTimerEnabled("BaslatTimer", false);
    SetControlText("BaslatLabel", std::to_string(kStartSeconds));
    SetControlVisible("BaslaPanel", false);
    SetControlVisible("SurePanel", true);
}

void TSinavForm::YazilanKeyUp(platform::EventArgs&) { SayaclariGuncelle(); }

// A key that arrives once the exam's time has passed, before the clock's late tick, ends the exam instead of
// typing: the candidate never gets more than the exam's time.
void TSinavForm::YazilanTyping(platform::EventArgs& args) {
    if (!IsTimerEnabled("SinavTimer") || !examCountdown_.Finished(Now())) return;
    args.key = 0;
    args.character = 0;
    FinishExam();
}

void TSinavForm::SayaclariGuncelle() {
    const HWND yazilan = ControlHandle("Yazilan");
    if (platform::IsRichEditReadOnly(yazilan)) return;
    if (IsTimerEnabled("BaslatTimer")) EndStartCountdown();
    // The clock goes on from what it shows, so a clock stopped by the supervisor resumes where it stood.
    if (!IsTimerEnabled("SinavTimer")) {
        examCountdown_.Start(Now(), std::stoi(ControlText("SureLabel")));
        ScheduleTimer("SinavTimer", examCountdown_.UntilNextTick(Now()));
    }
    const std::string typed = platform::RichEditText(yazilan);
    const std::string characters = kCharacterCountCaption + std::to_string(DisplayedCharacterCount(typed));
    FillLiveWordList(text::SplitWords(typed));
    SetControlText("StatusBar1", characters + kWordCountCaption + std::to_string(liveWords_.size()));
}

// Every line as the typing area shows it, wrapped ones included, counts its characters and a line break of two;
// a last empty line does not count. Each character lies on exactly one displayed line, so this is the characters
// other than line breaks plus two for each displayed line, without asking the control for every line's length.
int TSinavForm::DisplayedCharacterCount(std::string_view typed) const {
    const int lineBreaks = static_cast<int>(std::ranges::count(typed, '\n'));
    int lines = platform::RichEditLineCount(ControlHandle("Yazilan"));
    if (typed.empty() || typed.ends_with("\r\n")) --lines;
    return static_cast<int>(typed.size()) - 2 * lineBreaks + 2 * lines;
}

// Typing changes the list only at its end, so only the entries from the first difference on are replaced.
void TSinavForm::FillLiveWordList(const text::WordList& words) {
    std::size_t same = 0;
    while (same < words.size() && same < liveWords_.size() && words[same] == liveWords_[same]) ++same;
    if (same == words.size() && same == liveWords_.size()) return;
    platform::ReplaceListBoxItems(ControlHandle("MetinListBox"), same, std::span(words).subspan(same));
    liveWords_ = words;
}

void TSinavForm::SinavTimerTimer(platform::EventArgs&) {
    const auto now = Now();
    if (examCountdown_.Finished(now)) {
        FinishExam();
        return;
    }
    SetControlText("SureLabel", std::to_string(examCountdown_.SecondsLeft(now)));
    ScheduleTimer("SinavTimer", examCountdown_.UntilNextTick(now));
}

void TSinavForm::FinishExam() {
    platform::SetRichEditReadOnly(ControlHandle("Yazilan"), true);
    SetControlText("SureLabel", "0");
    SetTimerEnabled("SinavTimer", false);
    const std::string typed = ControlText("Yazilan");
    const std::string characters = kCharacterCountCaption + std::to_string(DisplayedCharacterCount(typed));
    SetControlText("StatusBar1", characters);

    const text::ScoreResult result = text::ScoreWords(ControlText("Metin"), typed, platform::WordSortKey);
    {
        result::TSonucForm sonucForm(Handle(), [this] { return Now(); });
        sonucForm.SetControlText("SonucLabel", std::to_string(result.typedWords.size()));
        sonucForm.ShowModal();
    }

    const HWND metinListBox = ControlHandle("MetinListBox");
    FillListBox(metinListBox, result.sampleWords);
    liveWords_.clear();
    SetControlText("StatusBar1", characters + kWordCountCaption + std::to_string(platform::ListBoxCount(metinListBox)));
    ShowResults(result);
    SetControlEnabled("Temizle", true);
    ProcessPendingMessages();
    SetControlVisible("GroupBox1", true);
}

void TSinavForm::ShowResults(const text::ScoreResult& result) {
    FillListBox(ControlHandle("DogruListBox"), result.correctWords);
    FillListBox(ControlHandle("YanlisListBox"), result.wrongWords);
    YanlislariIsaretle();

    const int correct = platform::ListBoxCount(ControlHandle("DogruListBox"));
    const int wrong = platform::ListBoxCount(ControlHandle("YanlisListBox"));
    platform::BarChart& chart = Chart("Chart2");
    chart.Clear();
    chart.Add("Do\xF0ru", correct, kCorrectBarColour);
    chart.Add("Yanl\xFD\xFE", wrong, kWrongBarColour);
    SetControlText("ltoplamyer", std::to_string(correct + wrong));
}

// Underlines every typed occurrence of a wrong word, judged with the scoring's own word key. The typed text has the
// typing area's CR LF line breaks, so its positions are the control's.
void TSinavForm::YanlislariIsaretle() {
    const HWND yazilan = ControlHandle("Yazilan");
    const text::WordList wrongWords = platform::ListBoxItems(ControlHandle("YanlisListBox"));
    const std::string typed = ControlText("Yazilan");
    const std::vector<text::WordSpan> spans = text::LocateWrongWords(typed, wrongWords, platform::WordSortKey);
    for (const text::WordSpan& span : spans) {
        SetFocus(yazilan);
        platform::SelectRichEditRange(yazilan, span.start, span.length);
        platform::SetRichEditSelectionStyle(yazilan, platform::TextStyle::Underline);
    }
    platform::SelectRichEditRange(yazilan, platform::RichEditSelectionStart(yazilan), 0);
}

}  // namespace exam
