// What this PC tells the hall's console: its state, handed to the state writer at each change of phase and every
// two seconds while the exam clock runs. The writer's thread does the writing; the window never waits for it.
#include <algorithm>
#include <chrono>

#include "entry/EntryDialog.h"
#include "exam/ExamWindow.h"
#include "text/Cp1254Unicode.h"

namespace exam {

namespace {

using std::chrono::milliseconds;

// The clock's ticks come each second, a little early or late: every second one tells the hall.
constexpr auto kRunningPeriod = std::chrono::milliseconds(1750);
constexpr milliseconds kExamLength = std::chrono::seconds(ExamState::kExamSeconds);

hall::Phase HallPhase(ExamState::Phase phase) {
    using Phase = ExamState::Phase;
    switch (phase) {
    case Phase::Entry:
        return hall::Phase::Waiting;
    case Phase::Ready:
        return hall::Phase::Ready;
    case Phase::StartCountdown:
        return hall::Phase::Countdown;
    case Phase::Running:
        return hall::Phase::Running;
    case Phase::Stopped:
        return hall::Phase::Stopped;
    case Phase::Scoring:
        return hall::Phase::TimeUp;
    case Phase::Finished:
        return hall::Phase::Results;
    }
    return hall::Phase::Waiting;
}

}  // namespace

hall::PcState TSinavForm::HallStateOf(hall::Phase phase) const {
    // Neither changes while the program runs.
    static const std::string label = text::Cp1254ToUtf8(ProgramLabel()), computer = text::Cp1254ToUtf8(BilgisayarAdi());
    const result::RecordKeeper::Problems problems = keeper_->CurrentProblems();
    return {
        .label = label,
        .computer = computer,
        .version = std::string(hall::ProgramVersion()),
        .phase = phase,
        .candidateNumber = {},
        .firstName = {},
        .surname = {},
        .msLeft = std::max(milliseconds::zero(), kExamLength - exam_.ExamElapsed(Now())).count(),
        .wordsTyped = static_cast<std::int64_t>(typed_.WordCount()),
        .written = std::chrono::floor<milliseconds>(ExamState::WallClock::now()),
        .problems = {.fallbackFolder = problems.inDefaultFolder,
                     .notKept = problems.notKept,
                     .notPrinted = problems.notPrinted},
    };
}

void TSinavForm::TellTheHall() {
    if (!hallState_) return;
    hall::PcState state = HallStateOf(HallPhase(exam_.Current()));
    // While the entry dialog waits, the last candidate and their words have gone; what became of their record stays
    // until the next candidate is entered.
    if (state.phase == hall::Phase::Waiting) {
        state.wordsTyped = 0;
    } else {
        state.candidateNumber = text::Cp1254ToUtf8(entry::AdayKaydi.adayNo);
        state.firstName = text::Cp1254ToUtf8(entry::AdayKaydi.adi);
        state.surname = text::Cp1254ToUtf8(entry::AdayKaydi.soyadi);
    }
    hallState_->Hand(std::move(state));
    lastToldTheHall_ = Now();
}

void TSinavForm::TellTheHall(const UnfinishedExam& unfinished) {
    if (!hallState_) return;
    hall::PcState state = HallStateOf(hall::Phase::Unfinished);
    state.candidateNumber = text::Cp1254ToUtf8(unfinished.candidateNumber);
    state.firstName = text::Cp1254ToUtf8(unfinished.firstName);
    state.surname = text::Cp1254ToUtf8(unfinished.surname);
    state.msLeft = unfinished.millisecondsLeft;
    state.wordsTyped = unfinished.wordsTyped;
    hallState_->Hand(std::move(state));
}

void TSinavForm::TellTheHallWhileRunning() {
    if (Now() - lastToldTheHall_ >= kRunningPeriod) TellTheHall();
}

}  // namespace exam
