#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "exam/pure/ExamState.h"

namespace {

using namespace std::chrono_literals;
using exam::ExamState;
using Phase = ExamState::Phase;

const ExamState::Clock::time_point kT0{1000s};
const ExamState::WallClock::time_point kWallT0{std::chrono::hours(500000)};

ExamState::Instant At(std::chrono::milliseconds offset) { return {kT0 + offset, kWallT0 + offset}; }

// An exam brought to the given phase the way the program gets there.
ExamState InPhase(Phase phase) {
    ExamState state;
    state.NewSession();
    if (phase == Phase::Entry) return state;
    state.CandidateEntered();
    if (phase == Phase::Ready) return state;
    state.Start(kT0);
    if (phase == Phase::StartCountdown) return state;
    state.StartClock(At(5s));
    if (phase == Phase::Running) return state;
    if (phase == Phase::Stopped) {
        state.Stop(kT0 + 10s);
        return state;
    }
    state.TimeUp(kT0 + 185s);
    if (phase == Phase::Finished) state.Scored();
    return state;
}

// Every step in every phase: only the one that belongs to the phase moves it, and only where the design says.
TEST(ExamState, StepsOutOfTurnChangeNothing) {
    const std::vector<Phase> phases{Phase::Entry,   Phase::Ready,   Phase::StartCountdown, Phase::Running,
                                    Phase::Stopped, Phase::Scoring, Phase::Finished};
    const struct {
        std::string name;
        std::function<bool(ExamState&)> step;
        Phase from, to;
        std::optional<Phase> alsoFrom = std::nullopt;
    } steps[] = {
        {"new session", [](ExamState& s) { return s.NewSession(); }, Phase::Finished, Phase::Entry, Phase::Ready},
        {"candidate entered", [](ExamState& s) { return s.CandidateEntered(); }, Phase::Entry, Phase::Ready},
        {"start", [](ExamState& s) { return s.Start(kT0 + 1h); }, Phase::Ready, Phase::StartCountdown},
        {"clock started", [](ExamState& s) { return s.StartClock(At(1h)); }, Phase::StartCountdown, Phase::Running},
        {"stop", [](ExamState& s) { return s.Stop(kT0 + 20s); }, Phase::Running, Phase::Stopped},
        {"resume", [](ExamState& s) { return s.Resume(kT0 + 30s); }, Phase::Stopped, Phase::Running},
        {"time up", [](ExamState& s) { return s.TimeUp(kT0 + 1h); }, Phase::Running, Phase::Scoring},
        {"scored", [](ExamState& s) { return s.Scored(); }, Phase::Scoring, Phase::Finished},
    };
    for (const auto& step : steps) {
        for (const Phase phase : phases) {
            SCOPED_TRACE(step.name + " in phase " + std::to_string(static_cast<int>(phase)));
            ExamState state = InPhase(phase);
            ASSERT_EQ(state.Current(), phase);
            const bool belongs = phase == step.from || phase == step.alsoFrom;
            EXPECT_EQ(step.step(state), belongs);
            EXPECT_EQ(state.Current(), belongs ? step.to : phase);
        }
    }
}

// The exam lasts its 180 seconds of running clock: a tick before then does not end it, and stops add their
// exact length, part-seconds included. The end is the clock's, however late a tick notices it.
TEST(ExamState, TheClockEndsAfterItsRunningTimeWhateverTheStops) {
    const struct {
        std::string name;
        std::vector<std::pair<std::chrono::milliseconds, std::chrono::milliseconds>> stops;  // stop, resume
        std::chrono::milliseconds end;                                                       // after the clock started
        std::chrono::milliseconds noticed;                                                   // after the end
    } cases[] = {
        {"no stop", {}, 180s, 0ms},
        {"one stop", {{10400ms, 15000ms}}, 184600ms, 0ms},
        {"many short stops", {{1100ms, 1200ms}, {1300ms, 1350ms}, {99999ms, 100000ms}}, 180151ms, 0ms},
        {"noticed 21 s late", {}, 180s, 21s},
        {"stopped, noticed 3.2 s late", {{10400ms, 15000ms}}, 184600ms, 3200ms},
        // A key's instant is its press or release, which may have waited in the queue behind another.
        {"a stop pressed before the clock started", {{-1s, 4s}}, 184s, 0ms},
        {"a stop pressed before the last resume", {{10s, 15s}, {14s, 20s}}, 190s, 0ms},
        {"a resume released before its stop", {{10s, 15s}, {20s, 19s}}, 185s, 0ms},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExamState state = InPhase(Phase::StartCountdown);
        ASSERT_TRUE(state.StartClock(At(0ms)));
        for (const auto& [stop, resume] : c.stops) {
            ASSERT_TRUE(state.Stop(kT0 + stop));
            EXPECT_FALSE(state.TimeUp(kT0 + resume + 1h));  // a stopped clock never runs out
            ASSERT_TRUE(state.Resume(kT0 + resume));
        }
        EXPECT_FALSE(state.TimeUp(kT0 + c.end - 1ms));
        EXPECT_EQ(state.ExamSecondsLeft(kT0 + c.end - 1ms), 1);
        ASSERT_TRUE(state.TimeUp(kT0 + c.end + c.noticed));
        EXPECT_EQ(state.ExamSecondsLeft(kT0 + c.end), 0);
        EXPECT_EQ(state.ClockEnded()->monotonic - state.ClockStarted()->monotonic, c.end);
        EXPECT_EQ(state.ClockEnded()->wall - state.ClockStarted()->wall, c.end);
        EXPECT_FALSE(state.TimeUp(kT0 + c.end + 1s));  // scoring starts once
    }
}

// An exam that an ended program had under way runs only the time that was left, counted from the supervisor's
// resume, and its record's end lies that much after it; one ended as it stood ends when the program last knew it.
TEST(ExamState, ARestoredExamRunsOnlyWhatWasLeft) {
    const struct {
        std::string name;
        std::chrono::milliseconds elapsed;
        bool clockHadStarted;
        std::chrono::milliseconds left;
    } cases[] = {
        {"in the countdown", 0ms, false, 180s},
        {"150.250 s in", 150250ms, true, 29750ms},
        {"1 ms before the end", 179999ms, true, 1ms},
        {"past the end", 181s, true, 0ms},
    };
    const ExamState::Instant restart = At(1h);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExamState state;
        const auto started = c.clockHadStarted ? std::optional(kWallT0) : std::nullopt;
        ASSERT_TRUE(state.Restore(restart, c.elapsed, started));
        EXPECT_EQ(state.Current(), Phase::Stopped);
        EXPECT_EQ(state.ExamElapsed(restart.monotonic + 1h), 180s - c.left);
        EXPECT_EQ(state.ClockStarted()->wall, started.value_or(restart.wall));
        const auto resumed = restart.monotonic + 10s;
        ASSERT_TRUE(state.Resume(resumed));
        if (c.left > 0ms) {
            EXPECT_FALSE(state.ExamTimeOver(resumed + c.left - 1ms));
        }
        ASSERT_TRUE(state.TimeUp(resumed + c.left));
        EXPECT_EQ(state.ClockEnded()->wall, restart.wall + 10s + c.left);

        ExamState ended;
        ASSERT_TRUE(ended.Restore(restart, c.elapsed, started));
        ASSERT_TRUE(ended.EndAsItStands(kWallT0 + c.elapsed));
        EXPECT_EQ(ended.Current(), Phase::Scoring);
        EXPECT_EQ(ended.ClockEnded()->wall, std::max(kWallT0 + c.elapsed, started.value_or(restart.wall)));
    }
    EXPECT_FALSE(InPhase(Phase::Running).Restore(restart, 1s, std::nullopt));
    EXPECT_FALSE(InPhase(Phase::Running).EndAsItStands(kWallT0));
}

TEST(ExamState, ANewExamForgetsThePreviousClock) {
    ExamState state = InPhase(Phase::Scoring);
    state.Scored();
    state.NewSession();
    state.CandidateEntered();
    EXPECT_EQ(state.ExamSecondsLeft(kT0 + 1h), ExamState::kExamSeconds);
    state.Start(kT0 + 1h);
    EXPECT_FALSE(state.ClockStarted());
    EXPECT_FALSE(state.ClockEnded());
}

}  // namespace
