// The exam's own state: its phase, its two countdowns and the instants at which its clock started and ended.
// The windows show it; nothing reads it back from a control. A tick, key or click that does not belong to the
// current phase changes nothing, so no message from anywhere can start, end, score or lengthen an exam out of
// turn. No Windows header: the rules are tested natively.
#pragma once

#include <chrono>
#include <optional>

#include "platform/pure/Countdown.h"

namespace exam {

class ExamState {
public:
    using Clock = platform::Countdown::Clock;
    using WallClock = std::chrono::system_clock;

    // The monotonic instant measures the exam's length; the wall-clock one is what people read.
    struct Instant {
        Clock::time_point monotonic;
        WallClock::time_point wall;
    };

    enum class Phase {
        Entry,           // the entry dialog waits for the candidate
        Ready,           // the candidate is entered; the start button waits
        StartCountdown,  // five seconds before the exam clock starts
        Running,         // the exam clock runs
        Stopped,         // the supervisor stopped the exam clock
        Scoring,         // the time is up; the results are being worked out and shown
        Finished,        // the results are on screen until the next session
    };

    static constexpr int kStartSeconds = 5;
    static constexpr int kExamSeconds = 180;

    Phase Current() const { return phase_; }
    // Whether the typing area takes the candidate's keys.
    bool AcceptsTyping() const;

    // Each returns false, changing nothing, when it does not belong to the current phase.
    bool NewSession();                   // Ready or Finished -> Entry
    bool CandidateEntered();             // Entry -> Ready
    bool Start(Clock::time_point now);   // Ready -> StartCountdown
    bool StartClock(Instant now);        // StartCountdown -> Running
    bool Stop(Clock::time_point now);    // Running -> Stopped
    bool Resume(Clock::time_point now);  // Stopped -> Running
    bool TimeUp(Clock::time_point now);  // Running -> Scoring, once the exam's time has passed
    bool Scored();                       // Scoring -> Finished
    // An exam that an ended program had under way comes back stopped, with `elapsed` of its clock already run; its
    // clock started at `clockStarted` by the wall clock, or, when it never started, starts its count now.
    // Entry or Ready -> Stopped.
    bool Restore(Instant now, std::chrono::milliseconds elapsed, std::optional<WallClock::time_point> clockStarted);
    // The supervisor ends a restored exam as it stood: its clock ended at `stopped`, the last the ended program knew
    // of it. Stopped -> Scoring.
    bool EndAsItStands(WallClock::time_point stopped);

    // Seconds left as the countdowns show them.
    int StartSecondsLeft(Clock::time_point now) const { return startCountdown_.SecondsLeft(now); }
    int ExamSecondsLeft(Clock::time_point now) const;
    // The exam clock's running time, stops left out: none before it starts, all of it once the time is up.
    std::chrono::milliseconds ExamElapsed(Clock::time_point now) const;
    bool StartCountdownOver(Clock::time_point now) const { return startCountdown_.Finished(now); }
    bool ExamTimeOver(Clock::time_point now) const;
    std::chrono::milliseconds UntilNextStartTick(Clock::time_point now) const;
    std::chrono::milliseconds UntilNextExamTick(Clock::time_point now) const;

    const std::optional<Instant>& ClockStarted() const { return clockStarted_; }
    // The clock's start plus its running time and its stopped time, however late the end was noticed.
    const std::optional<Instant>& ClockEnded() const { return clockEnded_; }

private:
    Phase phase_ = Phase::Ready;
    platform::Countdown startCountdown_;
    platform::Countdown examCountdown_;
    std::optional<Instant> clockStarted_, clockEnded_;
};

}  // namespace exam
