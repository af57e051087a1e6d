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
#include "platform/SystemReason.h"

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

UnfinishedExam SummaryOf(const journal::JournalState& state) {
    const bool timeUp = state.stage >= journal::Stage::TimeUp;
    const std::uint32_t examMs =
        timeUp ? kExamLength.count() : std::min<std::uint32_t>(state.examMs, kExamLength.count());
    return {
        .examId = state.opening.examId,
        .candidateNumber = state.opening.candidateNumber,
        .firstName = state.opening.firstName,
        .surname = state.opening.surname,
        .computer = state.opening.computer,
        .started = result::LocalTimeOf(WallAt(state.clockStartedWallMs.value_or(state.opening.wallMs))),
        .stopped = result::LocalTimeOf(WallAt(timeUp ? state.timeUpWallMs : state.lastWallMs)),
        .wordsTyped = static_cast<int>(text::SplitWords(state.typed).size()),
        .millisecondsLeft = static_cast<int>((kExamLength - milliseconds(examMs)).count()),
        .timeUp = timeUp,
    };
}

// Metin.rtf as it is now, which alone scores an exam taken up; none when it cannot be read.
std::optional<SampleContent> CurrentSample() {
    try {
        return ReadSampleText();
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
}

std::string Named(const std::wstring& path, const std::string& what) { return FileNameOf(path) + ": " + what; }

// Renamed where it is, with what became of it in the supervisor's words.
std::string SetAside(const std::wstring& path, std::wstring_view extension, const std::string& why) {
    const std::wstring aside = journal::MoveAside(path, extension);
    if (aside.empty())
        return Named(path, why + "; dosya yeniden adland\xFDr\xFDlamad\xFD (" + platform::SystemReason(GetLastError()) +
                               "), yerinde b\xFDrak\xFDld\xFD");
    return Named(path, why + "; " + FileNameOf(aside) + " ad\xFDyla sakland\xFD");
}

std::string MisfitReason(JournalMisfit misfit, const journal::Opening& opening) {
    switch (misfit) {
    case JournalMisfit::OtherComputer:
        return "ba\xFEka bir bilgisayar\xFDn (" + opening.computerName + ") s\xFDnav\xFD";
    case JournalMisfit::OtherSample:
        return "s\xFDnav, \xFEimdiki Metin.rtf'ten ba\xFEka bir metinle yap\xFDlm\xFD\xFE";
    case JournalMisfit::SampleUnreadable:
        return "Metin.rtf \xFEu an okunam\xFDyor; g\xFCnl\xFCk bir sonraki adayda yeniden denenecek";
    case JournalMisfit::None:
        break;
    }
    return {};
}

}  // namespace

std::uint32_t TSinavForm::ExamMs() const { return static_cast<std::uint32_t>(exam_.ExamElapsed(Now()).count()); }

void TSinavForm::OpenJournal() {
    interruptions_.clear();
    hallTakenUp_.reset();
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

// Every journal left is looked at: what cannot be this PC's exam is set aside and named to the supervisor, in one
// message, once; the oldest that can waits for the supervisor's sequence, whatever its stage. Nothing in a journal
// becomes a record without the supervisor.
bool TSinavForm::TakeUpUnfinishedExam() {
    if (journalFolder_.empty()) return false;
    std::vector<std::string> notTakenUp;
    std::optional<std::pair<std::wstring, journal::JournalFileRead>> found;
    std::optional<SampleContent> sample;
    bool sampleRead = false;
    for (const std::wstring& path : journal::JournalsIn(journalFolder_)) {
        // Once a process: an exam whose record cannot be kept now would otherwise come back at every new candidate.
        if (found || std::ranges::find(takenUp_, path) != takenUp_.end()) continue;
        journal::JournalFileRead read = journal::ReadJournalFile(path);
        if (read.held) {
            notTakenUp.push_back(Named(path, read.refusal + "; bir sonraki adayda yeniden denenecek"));
            continue;
        }
        if (!read.state) {
            takenUp_.push_back(path);
            notTakenUp.push_back(SetAside(path, journal::kUnreadableExtension, read.refusal));
            continue;
        }
        if (!std::exchange(sampleRead, true)) sample = CurrentSample();
        const JournalMisfit misfit =
            MisfitOf(read.state->opening, BilgisayarAdi(), sample ? std::optional(sample->identity) : std::nullopt);
        if (misfit == JournalMisfit::SampleUnreadable) {
            notTakenUp.push_back(Named(path, MisfitReason(misfit, read.state->opening)));
        } else if (misfit != JournalMisfit::None) {
            takenUp_.push_back(path);
            notTakenUp.push_back(
                SetAside(path, journal::kSetAsideExtension, MisfitReason(misfit, read.state->opening)));
        } else {
            takenUp_.push_back(path);
            found.emplace(path, std::move(read));
        }
    }
    if (!notTakenUp.empty()) {
        MessageBoxW(Handle(), platform::WidenCp1254(JournalsReport(notTakenUp)).c_str(),
                    platform::WidenCp1254(kApplicationTitle).c_str(), MB_OK | MB_ICONWARNING);
    }
    return found && TakeUp(found->first, found->second, *sample);
}

// The exam comes back only as the supervisor chooses: continued, ended as it stood, or, when its time was up,
// completed. A dialog that closes without a choice (the program ends) leaves the journal as it was.
bool TSinavForm::TakeUp(const std::wstring& path, const journal::ReadResult& read, const SampleContent& sample) {
    const journal::JournalState& state = *read.state;
    const UnfinishedExam unfinished = SummaryOf(state);
    TellTheHall(unfinished, state.typed);
    const std::optional<ResumeChoice> choice = AskSupervisor(unfinished);
    if (!choice) return true;
    RestoreExam(path, read, sample);
    if (unfinished.timeUp) {
        exam_.EndAsItStands(WallAt(state.timeUpWallMs));
        ScoreAndKeep(&state);
        return true;
    }
    const std::int64_t now = WallMs(ExamState::WallClock::now());
    if (*choice == ResumeChoice::Continue) {
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

// Over the backdrop, as the entry dialog; the hidden window makes its controls meanwhile.
std::optional<ResumeChoice> TSinavForm::AskSupervisor(const UnfinishedExam& unfinished) {
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
void TSinavForm::RestoreExam(const std::wstring& path, const journal::ReadResult& read, const SampleContent& sample) {
    const journal::JournalState& state = *read.state;
    while (PrepareForNewCandidate()) {}
    entry::AdayKaydi = {state.opening.candidateNumber, state.opening.firstName, state.opening.surname};
    exam_.CandidateEntered();
    const auto clockStarted =
        state.clockStartedWallMs ? std::optional(WallAt(*state.clockStartedWallMs)) : std::nullopt;
    exam_.Restore(ExamInstant(), milliseconds(state.examMs), clockStarted);
    ShowCandidate();

    const platform::RichEditView metin = Control(SinavForm::Metin);
    sample_ = sample;
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
