// The exam's journal: written as the exam goes, and read before each new candidate for an exam that an ended
// program left unfinished, which the supervisor then continues or ends as it stood. An exam whose time was up
// when its program ended is completed without asking: its record is kept, once, and printed unless it was.
#include <windows.h>

#include <algorithm>
#include <chrono>

#include "entry/Backdrop.h"
#include "entry/EntryDialog.h"
#include "exam/ExamWindow.h"
#include "exam/ResumeDialog.h"
#include "journal/JournalFiles.h"
#include "platform/Cp1254.h"
#include "platform/RichEdit.h"

namespace exam {

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kExamLength = std::chrono::seconds(ExamState::kExamSeconds);

int SecondsLeftAfter(std::uint32_t examMs) {
    const milliseconds left = std::max(milliseconds::zero(), kExamLength - milliseconds(examMs));
    return static_cast<int>(std::chrono::ceil<std::chrono::seconds>(left).count());
}

result::Interruption InterruptionOf(const journal::Interruption& interruption) {
    return {
        .stopped = result::LocalTimeOf(WallAt(interruption.stoppedWallMs)),
        .resumed = result::LocalTimeOf(WallAt(interruption.resumedWallMs)),
        .secondsLeft = SecondsLeftAfter(interruption.examMs),
        .ended = interruption.ended,
    };
}

UnfinishedExam SummaryOf(const journal::JournalState& state, bool sampleMatches) {
    return {
        .candidateNumber = state.opening.candidateNumber,
        .firstName = state.opening.firstName,
        .surname = state.opening.surname,
        .computer = state.opening.computer,
        .started = result::LocalTimeOf(WallAt(state.clockStartedWallMs.value_or(state.opening.wallMs))),
        .stopped = result::LocalTimeOf(WallAt(state.lastWallMs)),
        .wordsTyped = static_cast<int>(text::SplitWords(state.typed).size()),
        .millisecondsLeft = static_cast<int>(
            (kExamLength - milliseconds(std::min<std::uint32_t>(state.examMs, kExamLength.count()))).count()),
        .sampleMatches = sampleMatches,
    };
}

// The sample as Metin.rtf gives it now, when it is still the one the exam was typed from.
std::optional<SampleContent> SampleIfUnchanged(const journal::Opening& opening) {
    try {
        SampleContent sample = ReadSampleText();
        if (sample.identity == opening.sampleIdentity) return sample;
    } catch (const std::runtime_error&) {}
    return std::nullopt;
}

void ReportUnreadable(HWND owner, const std::wstring& path, const std::string& refusal, const std::wstring& kept) {
    const std::string message =
        "Yar\xFDm kalm\xFD\xFE bir s\xFDnav\xFDn g\xFCnl\xFC\xF0\xFC okunamad\xFD: " + platform::NarrowCp1254(path) +
        " (" + refusal + ").\r\nDosya " + platform::NarrowCp1254(kept) + " ad\xFDyla sakland\xFD.";
    MessageBoxW(owner, platform::WidenCp1254(message).c_str(),
                platform::WidenCp1254(TSinavForm::kApplicationTitle).c_str(), MB_OK | MB_ICONWARNING);
}

}  // namespace

std::uint32_t TSinavForm::ExamMs() const { return static_cast<std::uint32_t>(exam_.ExamElapsed(Now()).count()); }

void TSinavForm::OpenJournal() {
    interruptions_.clear();
    journal_.Open(journalFolder_, {
                                      .examId = MakeExamId(),
                                      .candidateNumber = entry::AdayKaydi.adayNo,
                                      .firstName = entry::AdayKaydi.adi,
                                      .surname = entry::AdayKaydi.soyadi,
                                      .computer = Control(SinavForm::PCLabel).Text(),
                                      .computerName = BilgisayarAdi(),
                                      .sampleIdentity = sample_->identity,
                                      .sampleText = sampleText_,
                                      .wallMs = WallMs(ExamState::WallClock::now()),
                                  });
}

void TSinavForm::WriteTick() { journal_.Write(journal::Tick{ExamMs(), WallMs(ExamState::WallClock::now())}); }

bool TSinavForm::TakeUpUnfinishedExam() {
    if (journalFolder_.empty()) return false;
    for (const std::wstring& path : journal::JournalsIn(journalFolder_)) {
        // Once a process: an exam whose record cannot be kept now would otherwise come back at every new candidate.
        if (std::ranges::find(takenUp_, path) != takenUp_.end()) continue;
        takenUp_.push_back(path);
        journal::ReadResult read = journal::ReadJournalFile(path);
        if (!read.state) {
            ReportUnreadable(Handle(), path, read.refusal, journal::MoveAside(path));
            continue;
        }
        const journal::JournalState& state = *read.state;
        const std::optional<SampleContent> sample = SampleIfUnchanged(state.opening);
        if (state.stage >= journal::Stage::TimeUp) {
            RestoreExam(path, read, sample);
            exam_.EndAsItStands(WallAt(state.timeUpWallMs));
            ScoreAndKeep(&state);
            return true;
        }
        const UnfinishedExam unfinished = SummaryOf(state, sample.has_value());
        TellTheHall(unfinished, state.opening.examId, state.typed);
        const ResumeChoice choice = AskSupervisor(unfinished);
        RestoreExam(path, read, sample);
        const std::int64_t now = WallMs(ExamState::WallClock::now());
        if (choice == ResumeChoice::Continue && sample) {
            journal_.WriteNow(journal::Continued{state.lastWallMs, now, state.examMs});
            interruptions_.push_back(InterruptionOf({state.lastWallMs, now, state.examMs, false}));
            SayaclariGuncelle();
            TellTheHall();
            return true;
        }
        journal_.WriteNow(journal::EndedAsItStood{state.lastWallMs, now, state.examMs});
        interruptions_.push_back(InterruptionOf({state.lastWallMs, now, state.examMs, true}));
        exam_.EndAsItStands(WallAt(state.lastWallMs));
        journal_.WriteNow(journal::TimeUp{state.examMs, now});
        ScoreAndKeep();
        return true;
    }
    return false;
}

// Over the backdrop, as the entry dialog; the hidden window makes its controls meanwhile.
ResumeChoice TSinavForm::AskSupervisor(const UnfinishedExam& unfinished) {
    entry::TArkaPlan arkaPlan(Handle());
    TDevamForm devamForm(arkaPlan.Handle(), unfinished, settings_);
    LetGoOfTheScreen();
    ShowWindow(Handle(), SW_HIDE);
    arkaPlan.Show();
    devamForm.ShowModal([this] { return PrepareForNewCandidate(); });
    return devamForm.Choice();
}

// The window as the ended program left it: the candidate, the sample, the typed text with its caret at the end and
// no undo history, and the clock stopped with the time that was left. The supervisor's last key is still down as
// the window takes the keyboard: its release does not start the clock, the candidate's first key does.
void TSinavForm::RestoreExam(const std::wstring& path, const journal::ReadResult& read,
                             const std::optional<SampleContent>& sample) {
    const journal::JournalState& state = *read.state;
    while (PrepareForNewCandidate()) {}
    entry::AdayKaydi = {state.opening.candidateNumber, state.opening.firstName, state.opening.surname};
    exam_.CandidateEntered();
    const auto clockStarted =
        state.clockStartedWallMs ? std::optional(WallAt(*state.clockStartedWallMs)) : std::nullopt;
    exam_.Restore(ExamInstant(), milliseconds(state.examMs), clockStarted);
    ShowCandidate();

    const platform::RichEditView metin = Control(SinavForm::Metin);
    sample_ =
        sample.value_or(SampleContent{.text = state.opening.sampleText, .identity = state.opening.sampleIdentity});
    ShowSampleText(metin, *sample_);
    sampleText_ = metin.Text();
    metin.Select(0, 0);

    typed_.Apply({0, 0, state.typed});
    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    yazilan.SetReadOnly(false);
    ShowTypedText();
    Control(SinavForm::Baslat).SetEnabled(false);
    Control(SinavForm::BaslaPanel).SetVisible(false);
    Control(SinavForm::SurePanel).SetVisible(true);
    Control(SinavForm::SureLabel).SetText(std::to_string(exam_.ExamSecondsLeft(Now())));

    interruptions_.clear();
    for (const journal::Interruption& interruption : state.interruptions)
        interruptions_.push_back(InterruptionOf(interruption));
    journal_.Continue(path, read);

    for (int key = 0; key < 256; ++key)
        if (GetAsyncKeyState(key) & 0x8000) sequenceKeysDown_[static_cast<std::size_t>(key)] = true;
    HoldTheScreen();
    ShowWindow(Handle(), SW_SHOW);
    SetFocus(yazilan.Handle());
}

}  // namespace exam
