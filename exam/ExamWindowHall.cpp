// What this PC tells the hall's console: its state, handed to the state writer at each change of phase and every
// two seconds while the exam clock runs or the supervisor has stopped it. The writer's thread does the writing; the
// window never waits for it. Each state is stamped (hall::StateChain) with a sequence number that goes on from the
// one in the file the program found at its start, and the exam's text's running digest, which the record carries.
#include <algorithm>
#include <chrono>

#include "entry/EntryDialog.h"
#include "exam/ExamWindow.h"
#include "platform/Files.h"
#include "platform/KeyDerivation.h"
#include "text/Cp1254Unicode.h"
#include "text/TextAnalysis.h"

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

void TSinavForm::StartTellingTheHall(std::wstring hallFolder) {
    if (hallFolder.empty()) return;
    hallState_ = std::make_unique<hall::StateWriter>(std::move(hallFolder));
    const platform::WholeFile last = platform::ReadSharedFile(hallState_->Path(), hall::kMaxStateFileBytes);
    hallChain_.emplace(hall::LastSeqIn(last.bytes), &platform::Sha256Hex);
}

hall::PcState TSinavForm::HallStateOf(hall::Phase phase) const {
    // Neither changes while the program runs.
    static const std::string label = text::Cp1254ToUtf8(ProgramLabel()), computer = text::Cp1254ToUtf8(BilgisayarAdi());
    const result::RecordKeeper::Problems problems = keeper_->CurrentProblems();
    const bool scored = phase == hall::Phase::TimeUp || phase == hall::Phase::Results;
    return {
        .label = label,
        .computer = computer,
        .version = std::string(hall::ProgramVersion()),
        .phase = phase,
        .candidateNumber = {},
        .firstName = {},
        .surname = {},
        .msLeft = std::max(milliseconds::zero(), kExamLength - exam_.ExamElapsed(Now())).count(),
        // Once scored, the words as the record counts them, which the console compares.
        .wordsTyped = static_cast<std::int64_t>(scored ? text::ScoredWords(typed_.Text()).size() : typed_.WordCount()),
        .written = std::chrono::floor<milliseconds>(ExamState::WallClock::now()),
        .problems = {.fallbackFolder = problems.inDefaultFolder,
                     .notKept = problems.notKept,
                     .notPrinted = problems.notPrinted},
        .examId = journal_.ExamId(),
        .journalProblem = text::Cp1254ToUtf8(journal_.Problem()),
        .takenUp = hallTakenUp_,
    };
}

void TSinavForm::TellTheHall() {
    if (!hallState_) return;
    hall::PcState state = HallStateOf(HallPhase(exam_.Current()));
    // While the entry dialog waits, the last candidate and their words have gone; what became of their record stays
    // until the next candidate is entered.
    if (state.phase == hall::Phase::Waiting) {
        state.wordsTyped = 0;
        state.examId.clear();
    } else {
        state.candidateNumber = text::Cp1254ToUtf8(entry::AdayKaydi.adayNo);
        state.firstName = text::Cp1254ToUtf8(entry::AdayKaydi.adi);
        state.surname = text::Cp1254ToUtf8(entry::AdayKaydi.soyadi);
    }
    // The kept exam's journal has gone to wait for its print: the results are still that exam's.
    if (state.phase == hall::Phase::Results && state.examId.empty()) state.examId = hallChain_->ExamId();
    HandToTheHall(std::move(state), typed_.Text());
    lastToldTheHall_ = Now();
}

// From here on the exam's states say where its journal gave it back, for the console to hold against what it saw.
void TSinavForm::TellTheHall(const UnfinishedExam& unfinished, std::string_view typed) {
    if (!hallState_) return;
    hallTakenUp_ = hall::TakenUp{unfinished.wordsTyped, unfinished.millisecondsLeft};
    hall::PcState state = HallStateOf(hall::Phase::Unfinished);
    state.candidateNumber = text::Cp1254ToUtf8(unfinished.candidateNumber);
    state.firstName = text::Cp1254ToUtf8(unfinished.firstName);
    state.surname = text::Cp1254ToUtf8(unfinished.surname);
    state.msLeft = unfinished.millisecondsLeft;
    state.wordsTyped = unfinished.wordsTyped;
    state.examId = unfinished.examId;
    HandToTheHall(std::move(state), typed);
}

void TSinavForm::HandToTheHall(hall::PcState state, std::string_view typed) {
    hallChain_->Stamp(state, typed);
    hallState_->Hand(std::move(state));
}

void TSinavForm::TellTheHallWhileRunning() {
    if (Now() - lastToldTheHall_ >= kRunningPeriod) TellTheHall();
}

}  // namespace exam
