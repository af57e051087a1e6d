#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exam/pure/SupervisorSequence.h"

namespace {

using exam::SupervisorSequence;
using Key = SupervisorSequence::Key;

// The rules do not depend on which six digits an installation chose; these are an example.
constexpr std::array<int, 6> kDigits{4, 0, 7, 1, 9, 3};

struct Press {
    Key key;
    int digit = -1;
};

Press D(int digit) { return {Key::Digit, digit}; }
const Press kAlt{Key::Other};
const Press kF4{Key::F4};

TEST(SupervisorSequence, CompletesOnlyWithEveryDigitInOrder) {
    const struct {
        std::string name;
        std::vector<Press> presses;
        bool lastPressCompletes;
        int progressAfter;
    } cases[] = {
        {"all six in order", {D(4), D(0), D(7), D(1), D(9), D(3)}, true, 0},
        {"five of six", {D(4), D(0), D(7), D(1), D(9)}, false, 5},
        {"a wrong digit in the middle", {D(4), D(0), D(8), D(1), D(9), D(3)}, false, 0},
        {"a digit of the sequence out of place", {D(4), D(7), D(0), D(1), D(9), D(3)}, false, 0},
        {"Alt pressed again between two digits", {D(4), D(0), kAlt, D(7), D(1), D(9), D(3)}, false, 0},
        {"F4 between two digits", {D(4), D(0), kF4, D(7)}, false, 0},
        {"the first digit restarts from any state", {D(4), D(0), D(7), D(4), D(0), D(7), D(1), D(9), D(3)}, true, 0},
        {"a held second digit repeats", {D(4), D(0), D(0), D(7), D(1), D(9), D(3)}, false, 0},
        {"a held first digit repeats harmlessly", {D(4), D(4), D(4), D(0), D(7), D(1), D(9), D(3)}, true, 0},
        {"the last digit alone", {D(3)}, false, 0},
        {"the last digit twice after completing", {D(4), D(0), D(7), D(1), D(9), D(3), D(3)}, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SupervisorSequence sequence(kDigits);
        bool completed = false;
        for (const Press& press : c.presses) completed = sequence.Press(press.key, press.digit);
        EXPECT_EQ(completed, c.lastPressCompletes);
        EXPECT_EQ(sequence.Progress(), c.progressAfter);
    }
}

}  // namespace
