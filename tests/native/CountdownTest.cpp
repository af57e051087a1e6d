#include <gtest/gtest.h>

#include <string>

#include "platform/pure/Countdown.h"

namespace {

using namespace std::chrono_literals;
using platform::Countdown;

TEST(Countdown, TicksShowTheSecondsReallyLeft) {
    const Countdown::Clock::time_point start{100s};
    Countdown countdown;
    countdown.Start(start, 180);
    const struct {
        std::chrono::milliseconds at;
        int secondsLeft;
        bool finished;
        std::chrono::milliseconds untilNextTick;
    } cases[] = {
        {0ms, 180, false, 1000ms},    {1000ms, 179, false, 1000ms}, {998ms, 179, false, 2ms},
        {1016ms, 179, false, 984ms},  {2700ms, 177, false, 300ms},  {9400ms, 171, false, 600ms},
        {179000ms, 1, false, 1000ms}, {179990ms, 1, false, 10ms},   {180000ms, 0, true, 1000ms},
        {183500ms, 0, true, 500ms},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.at.count()) + " ms after the start");
        EXPECT_EQ(countdown.SecondsLeft(start + c.at), c.secondsLeft);
        EXPECT_EQ(countdown.Finished(start + c.at), c.finished);
        EXPECT_EQ(countdown.UntilNextTick(start + c.at), c.untilNextTick);
    }
}

// A pause keeps the exact time left, part-seconds included, so any number of pauses never lengthens the countdown.
TEST(Countdown, PausesKeepTheExactTimeLeft) {
    const Countdown::Clock::time_point start{100s};
    Countdown countdown;
    countdown.Start(start, 180);
    countdown.Pause(start + 10400ms);
    EXPECT_EQ(countdown.SecondsLeft(start + 500s), 170);
    EXPECT_FALSE(countdown.Finished(start + 500s));
    countdown.Resume(start + 20000ms);
    countdown.Pause(start + 20300ms);
    countdown.Pause(start + 25000ms);  // a second pause changes nothing
    countdown.Resume(start + 30000ms);
    countdown.Resume(start + 31000ms);  // nor does a second resume
    const auto end = start + 180s + (20000ms - 10400ms) + (30000ms - 20300ms);
    EXPECT_FALSE(countdown.Finished(end - 1ms));
    EXPECT_TRUE(countdown.Finished(end));
    EXPECT_EQ(countdown.UntilNextTick(start + 30000ms), 300ms);
}

}  // namespace
