#include "exam/pure/ExamState.h"

#include <algorithm>

namespace exam {

namespace {

// Moves `phase` from `from` to `to`; false when it was elsewhere.
bool Move(ExamState::Phase& phase, ExamState::Phase from, ExamState::Phase to) {
    if (phase != from) return false;
    phase = to;
    return true;
}

}  // namespace

bool ExamState::AcceptsTyping() const {
    return phase_ == Phase::StartCountdown || phase_ == Phase::Running || phase_ == Phase::Stopped;
}

// Once the exam has begun, only its results lead to the next session.
bool ExamState::NewSession() {
    return Move(phase_, Phase::Ready, Phase::Entry) || Move(phase_, Phase::Finished, Phase::Entry);
}

bool ExamState::CandidateEntered() { return Move(phase_, Phase::Entry, Phase::Ready); }

bool ExamState::Start(Clock::time_point now) {
    if (!Move(phase_, Phase::Ready, Phase::StartCountdown)) return false;
    startCountdown_.Start(now, kStartSeconds);
    clockStarted_.reset();
    clockEnded_.reset();
    return true;
}

bool ExamState::StartClock(Instant now) {
    if (!Move(phase_, Phase::StartCountdown, Phase::Running)) return false;
    examCountdown_.Start(now.monotonic, kExamSeconds);
    clockStarted_ = now;
    return true;
}

bool ExamState::Stop(Clock::time_point now) {
    if (!Move(phase_, Phase::Running, Phase::Stopped)) return false;
    examCountdown_.Pause(now);
    return true;
}

bool ExamState::Resume(Clock::time_point now) {
    if (!Move(phase_, Phase::Stopped, Phase::Running)) return false;
    examCountdown_.Resume(now);
    return true;
}

bool ExamState::TimeUp(Clock::time_point now) {
    if (phase_ != Phase::Running || !examCountdown_.Finished(now)) return false;
    phase_ = Phase::Scoring;
    const Clock::time_point end = examCountdown_.End();
    clockEnded_ = Instant{
        end, clockStarted_->wall + std::chrono::duration_cast<WallClock::duration>(end - clockStarted_->monotonic)};
    return true;
}

bool ExamState::Restore(Instant now, std::chrono::milliseconds elapsed,
                        std::optional<WallClock::time_point> clockStarted) {
    if (!Move(phase_, Phase::Entry, Phase::Stopped) && !Move(phase_, Phase::Ready, Phase::Stopped)) return false;
    constexpr std::chrono::milliseconds kWhole = std::chrono::seconds(kExamSeconds);
    examCountdown_.StartPaused(kWhole - std::clamp(elapsed, std::chrono::milliseconds::zero(), kWhole));
    // The record tells the clock's end by the wall clock from the start and the monotonic time between: the start is
    // placed on this program's monotonic clock as far back as the wall clock says it was.
    const WallClock::time_point startedWall = clockStarted.value_or(now.wall);
    clockStarted_ =
        Instant{now.monotonic - std::chrono::duration_cast<Clock::duration>(now.wall - startedWall), startedWall};
    clockEnded_.reset();
    return true;
}

bool ExamState::EndAsItStands(WallClock::time_point stopped) {
    if (phase_ != Phase::Stopped) return false;
    phase_ = Phase::Scoring;
    // An exam ended in its start countdown has its clock start when the supervisor's choice came.
    stopped = std::max(stopped, clockStarted_->wall);
    clockEnded_ = Instant{
        clockStarted_->monotonic + std::chrono::duration_cast<Clock::duration>(stopped - clockStarted_->wall), stopped};
    return true;
}

bool ExamState::Scored() { return Move(phase_, Phase::Scoring, Phase::Finished); }

int ExamState::ExamSecondsLeft(Clock::time_point now) const {
    switch (phase_) {
    case Phase::Running:
    case Phase::Stopped:
        return examCountdown_.SecondsLeft(now);
    case Phase::Scoring:
    case Phase::Finished:
        return 0;
    default:
        return kExamSeconds;
    }
}

std::chrono::milliseconds ExamState::ExamElapsed(Clock::time_point now) const {
    constexpr std::chrono::milliseconds kWhole = std::chrono::seconds(kExamSeconds);
    switch (phase_) {
    case Phase::Running:
    case Phase::Stopped:
        return std::clamp(kWhole - std::chrono::ceil<std::chrono::milliseconds>(examCountdown_.Left(now)),
                          std::chrono::milliseconds::zero(), kWhole);
    case Phase::Scoring:
    case Phase::Finished:
        return kWhole;
    default:
        return std::chrono::milliseconds::zero();
    }
}

bool ExamState::ExamTimeOver(Clock::time_point now) const {
    return phase_ == Phase::Running && examCountdown_.Finished(now);
}

std::chrono::milliseconds ExamState::UntilNextStartTick(Clock::time_point now) const {
    return startCountdown_.UntilNextTick(now);
}

std::chrono::milliseconds ExamState::UntilNextExamTick(Clock::time_point now) const {
    return examCountdown_.UntilNextTick(now);
}

}  // namespace exam
