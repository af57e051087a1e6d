#include <gtest/gtest.h>

#include "exam/pure/UnfinishedExam.h"

namespace {

// The seconds as the exam clock would show them: rounded, and at least one while any time is left.
TEST(UnfinishedExam, TimeLeftInMinutesAndSeconds) {
    const struct {
        int milliseconds;
        const char* text;
    } cases[] = {
        {180'000, "3 dk 0 sn"}, {125'400, "2 dk 5 sn"}, {59'600, "1 dk 0 sn"}, {300, "0 dk 1 sn"}, {0, "0 dk 0 sn"}};
    for (const auto& c : cases) EXPECT_EQ(exam::MinutesAndSeconds(c.milliseconds), c.text) << c.milliseconds;
}

}  // namespace
