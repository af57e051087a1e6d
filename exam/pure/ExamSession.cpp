#include "exam/pure/ExamSession.h"

#include <algorithm>
#include <utility>

#include "text/Cp1254Unicode.h"

namespace exam {

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kExamLength = std::chrono::seconds(ExamState::kExamSeconds);

int SecondsLeftAfter(std::uint32_t examMs) {
    const milliseconds left = std::max(milliseconds::zero(), kExamLength - milliseconds(examMs));
    return static_cast<int>(std::chrono::ceil<std::chrono::seconds>(left).count());
}

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

std::int64_t WallMs(std::chrono::system_clock::time_point instant) {
    return std::chrono::duration_cast<milliseconds>(instant.time_since_epoch()).count();
}

std::chrono::system_clock::time_point WallAt(std::int64_t ms) {
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(milliseconds(ms)));
}

ExamSession::ExamSession(SessionSurroundings surroundings) : surroundings_(std::move(surroundings)) {}

// The last exam's text, candidate and course go with its results.
bool ExamSession::NewSession() {
    if (!exam_.NewSession()) return false;
    typed_.Clear();
    candidate_ = {};
    sample_ = {};
    examId_.clear();
    interruptions_.clear();
    wrongSpans_.clear();
    takenUp_.reset();
    completing_.reset();
    recordJournaled_ = false;
    return true;
}

ExamSession::Effects ExamSession::CandidateEntered(Candidate candidate) {
    if (!exam_.CandidateEntered()) return {};
    candidate_ = std::move(candidate);
    return {.tellHall = true};
}

bool ExamSession::Start(Clock::time_point now) { return exam_.Start(now); }

ExamSession::Effects ExamSession::SampleShown(SampleIdentity sample, std::string examId, WallClock::time_point now) {
    if (exam_.Current() != Phase::StartCountdown) return {};
    sample_ = std::move(sample);
    examId_ = std::move(examId);
    return {
        .openJournal =
            journal::Opening{
                .examId = examId_,
                .candidateNumber = candidate_.number,
                .firstName = candidate_.firstName,
                .surname = candidate_.surname,
                .computer = surroundings_.computerLabel,
                .computerName = surroundings_.computerName,
                .sampleIdentity = sample_.identity,
                .sampleText = sample_.text,
                .wallMs = WallMs(now),
            },
        .tellHall = true,
    };
}

ExamSession::Effects ExamSession::StartClock(Instant now) {
    if (!exam_.StartClock(now)) return {};
    closeButtonShown_ = false;
    return {
        .journal = {journal::ClockStarted{WallMs(exam_.ClockStarted()->wall)}},
        .clockStarted = true,
        .showClock = true,
        .closeButton = false,
        .tellHall = true,
    };
}

std::uint32_t ExamSession::ExamMs(Clock::time_point now) const {
    return static_cast<std::uint32_t>(exam_.ExamElapsed(now).count());
}

ExamSession::Effects ExamSession::Edited(const std::optional<TypedText::Edit>& edit, Instant now) {
    if (exam_.ExamTimeOver(now.monotonic)) return EndIfTimeOver(now);
    if (!edit || !exam_.AcceptsTyping()) return {};
    Effects effects{
        .journal = {journal::Edit{ExamMs(now.monotonic), static_cast<std::uint32_t>(edit->start),
                                  static_cast<std::uint32_t>(edit->removed), edit->inserted}},
        .edit = edit,
    };
    effects.firstWordChanged = typed_.Apply(*edit);
    return effects;
}

ExamSession::Effects ExamSession::Type(TypedText::Range selection, std::string_view characters, Instant now) {
    return Edited(typed_.Type(selection, characters), now);
}

ExamSession::Effects ExamSession::Erase(TypedText::Range selection, TypedText::Direction direction,
                                        TypedText::Reach reach, Instant now) {
    return Edited(typed_.Erase(selection, direction, reach), now);
}

ExamSession::Effects ExamSession::KeyReleased(std::uint8_t key, bool alt, Clock::time_point released, Instant now) {
    const bool ofTheSequence = alt || supervisorKeys_[key];
    supervisorKeys_[key] = false;
    if (ofTheSequence || !exam_.Resume(released)) return StartClock(now);
    supervisorKeys_.reset();
    closeButtonShown_ = false;
    return {
        .journal = {journal::Resumed{ExamMs(now.monotonic), WallMs(now.wall)}},
        .showClock = true,
        .closeButton = false,
        .tellHall = true,
    };
}

ExamSession::Effects ExamSession::SequenceRight(Clock::time_point pressed, Instant now) {
    closeButtonShown_ = true;
    Effects effects{.closeButton = true};
    if (!exam_.Stop(pressed)) return effects;
    effects.journal = {journal::Stopped{ExamMs(pressed), WallMs(now.wall)}};
    effects.journalNow = true;
    effects.showClock = true;
    effects.tellHall = true;
    return effects;
}

// A stopped exam's PC goes on telling the hall it is there, so that one killed while stopped shows as not answering.
ExamSession::Effects ExamSession::Tick(Instant now) {
    const bool hallDue = now.monotonic - lastToldTheHall_ >= kHallPeriod;
    switch (exam_.Current()) {
    case Phase::Stopped:
        return {.showClock = true, .tellHall = hallDue};
    case Phase::Running:
        if (exam_.ExamTimeOver(now.monotonic)) return EndIfTimeOver(now);
        return {
            .journal = {journal::Tick{ExamMs(now.monotonic), WallMs(now.wall)}},
            .showClock = true,
            .tellHall = hallDue,
        };
    default:
        return {};
    }
}

// Runs once per exam. From here on nothing changes the typed text.
ExamSession::Effects ExamSession::EndIfTimeOver(Instant now) {
    if (!exam_.TimeUp(now.monotonic)) return {};
    return {
        .journal = {journal::TimeUp{ExamMs(now.monotonic), WallMs(exam_.ClockEnded()->wall)}},
        .journalNow = true,
        .timeUp = true,
    };
}

result::Interruption ExamSession::InterruptionOf(const journal::Interruption& interruption) const {
    return {
        .stopped = surroundings_.localTime(WallAt(interruption.stoppedWallMs)),
        .resumed = surroundings_.localTime(WallAt(interruption.resumedWallMs)),
        .secondsLeft = SecondsLeftAfter(interruption.examMs),
        .ended = interruption.ended,
    };
}

UnfinishedExam ExamSession::Offer(const journal::JournalState& state) {
    const bool timeUp = state.stage >= journal::Stage::TimeUp;
    const std::uint32_t examMs =
        timeUp ? kExamLength.count() : std::min<std::uint32_t>(state.examMs, kExamLength.count());
    offered_ = UnfinishedExam{
        .examId = state.opening.examId,
        .candidateNumber = state.opening.candidateNumber,
        .firstName = state.opening.firstName,
        .surname = state.opening.surname,
        .computer = state.opening.computer,
        .started = surroundings_.localTime(WallAt(state.clockStartedWallMs.value_or(state.opening.wallMs))),
        .stopped = surroundings_.localTime(WallAt(timeUp ? state.timeUpWallMs : state.lastWallMs)),
        .wordsTyped = static_cast<int>(text::SplitWords(state.typed).size()),
        .millisecondsLeft = static_cast<int>((kExamLength - milliseconds(examMs)).count()),
        .timeUp = timeUp,
    };
    takenUp_ = hall::TakenUp{offered_->wordsTyped, offered_->millisecondsLeft};
    typed_.Clear();
    typed_.Apply({0, 0, state.typed});
    return *offered_;
}

// The exam as the ended program left it: the candidate, the sample, the typed text, and the clock stopped with the
// time that was left.
ExamSession::Effects ExamSession::TakeUp(const journal::JournalState& state, SampleIdentity sample, ResumeChoice choice,
                                         Instant now) {
    offered_.reset();
    exam_.CandidateEntered();
    const auto clockStarted =
        state.clockStartedWallMs ? std::optional(WallAt(*state.clockStartedWallMs)) : std::nullopt;
    exam_.Restore(now, milliseconds(state.examMs), clockStarted);
    candidate_ = {state.opening.candidateNumber, state.opening.firstName, state.opening.surname};
    sample_ = std::move(sample);
    examId_ = state.opening.examId;
    interruptions_.clear();
    for (const journal::Interruption& interruption : state.interruptions)
        interruptions_.push_back(InterruptionOf(interruption));

    if (state.stage >= journal::Stage::TimeUp) {
        exam_.EndAsItStands(WallAt(state.timeUpWallMs));
        completing_ = state.stage;
        recordJournaled_ = !state.documentName.empty();
        return {.timeUp = true};
    }
    const std::int64_t wallMs = WallMs(now.wall);
    const journal::Interruption interruption{state.lastWallMs, wallMs, state.examMs,
                                             choice == ResumeChoice::EndAsItStands};
    interruptions_.push_back(InterruptionOf(interruption));
    if (choice == ResumeChoice::Continue) {
        return {
            .journal = {journal::Continued{state.lastWallMs, wallMs, state.examMs}},
            .journalNow = true,
            .showClock = true,
            .tellHall = true,
        };
    }
    exam_.EndAsItStands(WallAt(state.lastWallMs));
    return {
        .journal = {journal::EndedAsItStood{state.lastWallMs, wallMs, state.examMs},
                    journal::TimeUp{state.examMs, wallMs}},
        .journalNow = true,
        .timeUp = true,
    };
}

ExamSession::Score ExamSession::ScoreExam(std::string journalProblem) {
    const std::string& typed = typed_.Text();
    Score score{.result = text::ScoreWords(sample_.text, typed, surroundings_.wordKey)};
    score.wrongSpans = text::LocateWrongWords(typed, score.result.wrongWords, surroundings_.wordKey);
    wrongSpans_ = score.wrongSpans;
    score.record = {
        .computer = surroundings_.computerLabel,
        .computerName = surroundings_.computerName,
        .clockStarted = surroundings_.localTime(exam_.ClockStarted()->wall),
        .clockEnded = surroundings_.localTime(exam_.ClockEnded()->wall),
        .firstName = candidate_.firstName,
        .surname = candidate_.surname,
        .candidateNumber = candidate_.number,
        .typedText = typed,
        .wrongWords = score.wrongSpans,
        .typed = static_cast<int>(score.result.typedWords.size()),
        .correct = static_cast<int>(score.result.correctWords.size()),
        .wrong = static_cast<int>(score.result.wrongWords.size()),
        .board = surroundings_.board,
        .examId = examId_,
        .interruptions = interruptions_,
        .hallDigest = hallChain_ ? hallChain_->Digest() : std::string(),
        .journalProblem = std::move(journalProblem),
    };
    return score;
}

ExamSession::Effects ExamSession::RecordKept(std::string documentName, WallClock::time_point now) const {
    if (documentName.empty() || recordJournaled_) return {};
    return {.journal = {journal::RecordKept{WallMs(now), std::move(documentName)}}, .journalNow = true};
}

hall::PcState ExamSession::HallState(Instant now, hall::Problems problems, std::string_view journalProblem) {
    lastToldTheHall_ = now.monotonic;
    const Phase phase = exam_.Current();
    const bool scored = phase == Phase::Scoring || phase == Phase::Finished;
    hall::PcState state{
        .label = text::Cp1254ToUtf8(surroundings_.computerLabel),
        .computer = text::Cp1254ToUtf8(surroundings_.computerName),
        .version = surroundings_.version,
        .phase = HallPhase(phase),
        .candidateNumber = text::Cp1254ToUtf8(candidate_.number),
        .firstName = text::Cp1254ToUtf8(candidate_.firstName),
        .surname = text::Cp1254ToUtf8(candidate_.surname),
        .msLeft = std::max(milliseconds::zero(), kExamLength - exam_.ExamElapsed(now.monotonic)).count(),
        // Once scored, the words as the record counts them, which the console compares.
        .wordsTyped = static_cast<std::int64_t>(scored ? text::ScoredWords(typed_.Text()).size() : typed_.WordCount()),
        .written = std::chrono::floor<milliseconds>(now.wall),
        .problems = problems,
        .examId = examId_,
        .journalProblem = text::Cp1254ToUtf8(journalProblem),
        .takenUp = takenUp_,
    };
    // While the supervisor chooses, the hall hears of the exam as its journal gave it back.
    if (offered_) {
        state.phase = hall::Phase::Unfinished;
        state.candidateNumber = text::Cp1254ToUtf8(offered_->candidateNumber);
        state.firstName = text::Cp1254ToUtf8(offered_->firstName);
        state.surname = text::Cp1254ToUtf8(offered_->surname);
        state.msLeft = offered_->millisecondsLeft;
        state.wordsTyped = offered_->wordsTyped;
        state.examId = offered_->examId;
    }
    if (hallChain_) hallChain_->Stamp(state, typed_.Text());
    return state;
}

int ExamSession::CharactersShown(int displayedLines) const {
    const std::string_view typed = typed_.Text();
    const auto lineBreaks = static_cast<int>(typed_.LineBreaks());
    if (typed.empty() || typed.ends_with("\r\n")) --displayedLines;
    return static_cast<int>(typed.size()) - 2 * lineBreaks + 2 * displayedLines;
}

}  // namespace exam
