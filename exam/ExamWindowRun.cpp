// The exam itself as the window shows it: the sample text, the start countdown, the exam clock, the typed text and
// its live counters, and the finish with the results. The session decides; the window shows and carries out.
#include <algorithm>
#include <string>
#include <utility>

#include "exam/ExamWindow.h"
#include "exam/SampleText.h"
#include "platform/ListBox.h"
#include "platform/Log.h"
#include "platform/MessageLoop.h"
#include "platform/RichEdit.h"
#include "result/TimeUpDialog.h"

namespace exam {

namespace {

constexpr char kCharacterCountCaption[] = "Karakter say\xFDs\xFD: ";
constexpr char kWordCountCaption[] = "    Kelime say\xFDs\xFD: ";
constexpr COLORREF kCorrectBarColour = RGB(0, 128, 0);
constexpr COLORREF kWrongBarColour = RGB(255, 0, 0);

bool IsAlt(WORD key) { return key == VK_MENU || key == VK_LMENU || key == VK_RMENU; }

TypedText::Range SelectionOf(const platform::RichEditView& yazilan) {
    const platform::RichEditRange selection = yazilan.Selection();
    return {static_cast<std::size_t>(selection.start), static_cast<std::size_t>(selection.end)};
}

void YanlislariIsaretle(const platform::RichEditView& yazilan, const std::vector<text::WordSpan>& wrongSpans) {
    if (!wrongSpans.empty()) SetFocus(yazilan.Handle());
    for (const text::WordSpan& span : wrongSpans) {
        yazilan.Select(span.start, span.length);
        yazilan.StyleSelection(platform::TextStyle::Underline);
    }
    yazilan.Select(yazilan.SelectionStart(), 0);
}

// Shows the exam's text in the typing area again, its caret at the end and, once scored, its wrong words underlined.
void ShowTypedText(const platform::RichEditView& yazilan, const ExamSession& session) {
    yazilan.SetText(session.Typed().Text());
    yazilan.ClearUndo();
    YanlislariIsaretle(yazilan, session.WrongSpans());
    yazilan.Select(static_cast<int>(session.Typed().Size()), 0);
}

// Backspace and Delete, and whether Ctrl takes the word.
std::optional<std::pair<TypedText::Direction, bool>> ErasingOf(const platform::EventArgs& args) {
    if (args.key == VK_BACK) return std::pair(TypedText::Direction::Backward, args.ctrl);
    if (args.key == VK_DELETE) return std::pair(TypedText::Direction::Forward, args.ctrl);
    return std::nullopt;
}

}  // namespace

void TSinavForm::Carry(const ExamSession::Effects& effects) {
    if (effects.openJournal) journals_.Open(*effects.openJournal);
    journals_.Write(effects.journal, effects.journalNow);
    if (effects.edit) {
        liveWordsShown_ = std::min(liveWordsShown_, effects.firstWordChanged);
        ShowEdit(*effects.edit);
    }
    if (effects.clockStarted) {
        Timer(SinavForm::BaslatTimer).SetEnabled(false);
        Control(SinavForm::BaslatLabel).SetText(std::to_string(ExamState::kStartSeconds));
        Control(SinavForm::BaslaPanel).SetVisible(false);
        Control(SinavForm::SurePanel).SetVisible(true);
    }
    if (effects.showClock) ShowExamClock();
    if (effects.closeButton) ShowCloseButton(*effects.closeButton);
    if (effects.tellHall) TellTheHall();
    if (effects.timeUp) ScoreAndKeep();
}

void TSinavForm::BaslatClick(platform::EventArgs&) {
    if (!session_.Start(Now())) return;
    Control(SinavForm::Temizle).SetEnabled(false);
    Control(SinavForm::Baslat).SetEnabled(false);
    Control(SinavForm::GroupBox1).SetVisible(false);

    const platform::RichEditView metin = Control(SinavForm::Metin);
    sample_ = ReadSampleText();
    ShowSampleText(metin, *sample_);
    SetFocus(metin.Handle());
    metin.Select(0, 0);

    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    yazilan.SetText("");
    yazilan.ClearUndo();
    yazilan.SetReadOnly(false);
    SetFocus(yazilan.Handle());

    Carry(session_.SampleShown({sample_->identity, metin.Text()}, MakeExamId(), ExamState::WallClock::now()));
    platform::Log("exam-start", session_.ExamId() + ", candidate " + session_.CurrentCandidate().number + ", sample " +
                                    sample_->identity);
    Control(SinavForm::StatusBar1).SetText("..." + journals_.Current().Notice());

    Timer(SinavForm::BaslatTimer).Schedule(session_.Exam().UntilNextStartTick(Now()));
    Control(SinavForm::SurePanel).SetVisible(false);
    Control(SinavForm::BaslaPanel).SetVisible(true);
}

// Shows 5, 4, 3, 2, 1; the exam clock starts when the five seconds have passed.
void TSinavForm::BaslatTimerTimer(platform::EventArgs&) {
    if (session_.Current() != ExamState::Phase::StartCountdown) return;
    const auto now = Now();
    if (session_.Exam().StartCountdownOver(now)) {
        SetFocus(Control(SinavForm::Yazilan).Handle());
        Carry(session_.StartClock(ExamInstant()));
        SayaclariGuncelle();
        return;
    }
    Control(SinavForm::BaslatLabel).SetText(std::to_string(session_.Exam().StartSecondsLeft(now)));
    Timer(SinavForm::BaslatTimer).Schedule(session_.Exam().UntilNextStartTick(now));
}

// Running, the seconds left and the next tick; stopped, the seconds it stands at and the beat that tells the hall.
void TSinavForm::ShowExamClock() {
    const ExamState& exam = session_.Exam();
    Control(SinavForm::SureLabel).SetText(std::to_string(exam.ExamSecondsLeft(Now())));
    const bool running = exam.Current() == ExamState::Phase::Running;
    Timer(SinavForm::SinavTimer).Schedule(running ? exam.UntilNextExamTick(Now()) : kStoppedBeat);
}

// The close button shows only while the exam clock stands: once it runs again, after the supervisor's stop, it is the
// candidate's exam again, and no click of theirs may end it.
void TSinavForm::ShowCloseButton(bool shown) { Control(SinavForm::KapatBtn).SetVisible(shown); }

// A release may have waited in the queue behind the sequence's check: the clock goes on as of the release.
void TSinavForm::YazilanKeyUp(platform::EventArgs& args) {
    Carry(session_.KeyReleased(static_cast<std::uint8_t>(args.key & 0xFF), IsAlt(args.key), Now() - args.sinceKey,
                               ExamInstant()));
    SayaclariGuncelle();
}

// The keys that change the text change the exam's text first; the typing area only shows what they did. Keys that
// only move the caret or the selection are the typing area's own, unless the exam's time is over.
void TSinavForm::YazilanKeyDown(platform::EventArgs& args) {
    const ExamSession::Effects ended = session_.EndIfTimeOver(ExamInstant());
    if (ended.timeUp) {
        args.key = 0;
        args.character = 0;
        Carry(ended);
        return;
    }
    if (args.alt) {
        if (args.key == VK_BACK || args.key == VK_DELETE) args.key = 0;  // undo, or nothing the exam knows
        return;
    }
    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    if (const auto erasing = ErasingOf(args)) {
        if (args.key == VK_DELETE && args.shift) return;  // cutting, which the input rules refuse
        const auto reach = erasing->second ? TypedText::Reach::Word : TypedText::Reach::Character;
        args.key = 0;
        Carry(session_.Erase(SelectionOf(yazilan), erasing->first, reach, ExamInstant()));
    } else if (args.key == VK_RETURN || args.key == VK_TAB) {
        const char* typed = args.key == VK_RETURN ? "\r" : "\t";
        args.key = 0;
        Carry(session_.Type(SelectionOf(yazilan), typed, ExamInstant()));
    }
}

void TSinavForm::YazilanKeyPress(platform::EventArgs& args) {
    const char character = std::exchange(args.character, 0);
    const bool accepted = ExamInputFilter::TypesCharacter(
        ExamInputFilter::Target::TypingArea, static_cast<unsigned char>(character), session_.Exam().AcceptsTyping());
    const auto now = ExamInstant();
    Carry(accepted ? session_.Type(SelectionOf(Control(SinavForm::Yazilan)), std::string(1, character), now)
                   : session_.EndIfTimeOver(now));
}

void TSinavForm::ShowEdit(const TypedText::Edit& edit) {
    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    yazilan.Replace(static_cast<int>(edit.start), static_cast<int>(edit.removed), edit.inserted);
    if (static_cast<std::size_t>(yazilan.TextLength()) != session_.Typed().Size()) ShowTypedText(yazilan, session_);
}

// Another program may have taken a text area away or changed it behind the input rules' back: the exam's own texts
// are shown again. A full comparison costs a few microseconds a second.
void TSinavForm::KeepTextAreas() {
    KeepControls();
    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    if (yazilan.Text() != session_.Typed().Text()) ShowTypedText(yazilan, session_);
    const platform::RichEditView metin = Control(SinavForm::Metin);
    if (sample_ && metin.Text() != session_.SampleText()) ShowSampleText(metin, *sample_);
}

void TSinavForm::YazilanRecreated(platform::EventArgs&) {
    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    const bool typing = session_.Exam().AcceptsTyping();
    yazilan.SetReadOnly(!typing);
    ShowTypedText(yazilan, session_);
    if (typing) SetFocus(yazilan.Handle());
}

void TSinavForm::MetinRecreated(platform::EventArgs&) {
    if (sample_) ShowSampleText(Control(SinavForm::Metin), *sample_);
}

// The counts, and the typed words listed from the first one that typing changed.
void TSinavForm::SayaclariGuncelle() {
    if (!session_.Exam().AcceptsTyping()) return;
    const TypedText& typed = session_.Typed();
    const std::string characters =
        kCharacterCountCaption + std::to_string(session_.CharactersShown(Control(SinavForm::Yazilan).LineCount()));
    const auto listed = static_cast<std::size_t>(Control(SinavForm::MetinListBox).Count());
    if (liveWordsShown_ != typed.WordCount() || liveWordsShown_ != listed) {
        std::vector<std::string> changed;
        for (std::size_t i = liveWordsShown_; i < typed.WordCount(); ++i) changed.push_back(typed.Word(i));
        Control(SinavForm::MetinListBox).ReplaceItems(liveWordsShown_, changed);
        liveWordsShown_ = typed.WordCount();
    }
    Control(SinavForm::StatusBar1)
        .SetText(characters + kWordCountCaption + std::to_string(typed.WordCount()) + journals_.Current().Notice());
}

void TSinavForm::SinavTimerTimer(platform::EventArgs&) {
    if (session_.Current() == ExamState::Phase::Running) KeepTextAreas();
    Carry(session_.Tick(ExamInstant()));
}

// From here on nothing changes the typed text: the typing area is read-only, its undo history is gone, and the exam's
// state refuses every key that would type. The record is on disk before the results are on screen: whatever happens
// to the program from here on, the exam is not lost. It is printed once they are there, so that the printing never
// holds them up.
void TSinavForm::ScoreAndKeep() {
    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    yazilan.SetReadOnly(true);
    yazilan.ClearUndo();
    Control(SinavForm::SureLabel).SetText("0");
    Timer(SinavForm::SinavTimer).SetEnabled(false);
    KeepTextAreas();
    const std::string characters =
        kCharacterCountCaption + std::to_string(session_.CharactersShown(yazilan.LineCount()));

    // The status bar paints itself as it changes, which takes a while when another program floods the queue: it
    // says the count once the time-up dialog is on screen.
    const ExamSession::Score score = session_.ScoreExam(journals_.Current().Problem());
    TellTheHall();
    {
        result::TSonucForm sonucForm(Handle(), [this] { return Now(); });
        sonucForm.Control(result::SonucForm::SonucLabel).SetText(std::to_string(score.result.typedWords.size()));
        sonucForm.ShowModal([&] {
            Control(SinavForm::StatusBar1).SetText(characters);
            return false;
        });
    }

    const std::wstring documentPath = keeper_->Keep(score.record);
    platform::Log("exam-record", score.record.examId + ", candidate " + score.record.candidateNumber + ": " +
                                     std::to_string(score.record.typed) + " typed, " +
                                     std::to_string(score.record.correct) + " correct, " +
                                     std::to_string(score.record.wrong) + " wrong, net " +
                                     std::to_string(score.record.Net()) + "; " +
                                     (documentPath.empty() ? "not kept" : FileNameOf(documentPath)));
    Carry(session_.RecordKept(FileNameOf(documentPath), ExamState::WallClock::now()));

    Control(SinavForm::MetinListBox).SetItems(score.result.sampleWords);
    statusCounts_ =
        characters + kWordCountCaption + std::to_string(score.result.sampleWords.size()) + journals_.Current().Notice();
    ShowStatus();
    Control(SinavForm::DogruListBox).SetItems(score.result.correctWords);
    Control(SinavForm::YanlisListBox).SetItems(score.result.wrongWords);
    YanlislariIsaretle(yazilan, score.wrongSpans);
    const auto correct = static_cast<int>(score.result.correctWords.size());
    const auto wrong = static_cast<int>(score.result.wrongWords.size());
    const platform::ChartView chart = Control(SinavForm::Chart2);
    chart.Clear();
    chart.Add("Do\xF0ru", correct, kCorrectBarColour);
    chart.Add("Yanl\xFD\xFE", wrong, kWrongBarColour);
    Control(SinavForm::ltoplamyer).SetText(std::to_string(correct + wrong));

    platform::DeliverWaitingInput();
    Control(SinavForm::GroupBox1).SetVisible(true);
    // "Yeni Oturum" takes clicks only now: one that came while the results were being shown would have begun the
    // next session inside this one.
    session_.Scored();
    Control(SinavForm::Temizle).SetEnabled(true);
    PaintNow();
    if (session_.AlreadyPrinted()) {
        journals_.Current().Finish(documentPath);
    } else {
        journals_.AwaitPrint(keeper_->Print(score.record), documentPath);
    }
    ShowStatus();
    TellTheHall();
}

}  // namespace exam
