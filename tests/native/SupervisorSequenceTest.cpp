#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exam/pure/SupervisorSequence.h"

namespace {

using exam::SupervisorSequence;
using Key = SupervisorSequence::Key;

// The rules do not depend on which six digits an installation chose; these are an example.
constexpr std::string_view kSequence = "407193";

struct Press {
    Key key;
    int digit = -1;
};

Press D(int digit) { return {Key::Digit, digit}; }
const Press kAlt{Key::Other};
const Press kF4{Key::F4};

// The window offers six digits for the slow check only when they could be a sequence; the sequence is complete when
// the last press offers exactly its digits.
TEST(SupervisorSequence, CompletesOnlyWithEveryDigitInOrder) {
    const struct {
        std::string name;
        std::vector<Press> presses;
        bool lastPressCompletes;
        int checks;  // how many presses offered their six digits
    } cases[] = {
        {"all six in order", {D(4), D(0), D(7), D(1), D(9), D(3)}, true, 1},
        {"five of six", {D(4), D(0), D(7), D(1), D(9)}, false, 0},
        {"a wrong digit in the middle", {D(4), D(0), D(8), D(1), D(9), D(3)}, false, 1},
        {"a digit of the sequence out of place", {D(4), D(7), D(0), D(1), D(9), D(3)}, false, 1},
        {"Alt pressed again between two digits", {D(4), D(0), kAlt, D(7), D(1), D(9), D(3)}, false, 0},
        {"F4 between two digits", {D(4), D(0), kF4, D(7), D(1), D(9), D(3)}, false, 0},
        {"the first digit restarts from any state", {D(4), D(0), D(7), D(4), D(0), D(7), D(1), D(9), D(3)}, true, 1},
        {"after a wrong sixth digit",
         {D(4), D(0), D(7), D(1), D(9), D(8), D(4), D(0), D(7), D(1), D(9), D(3)},
         true,
         7},
        {"a held second digit repeats", {D(4), D(0), D(0), D(7), D(1), D(9), D(3)}, false, 0},
        {"a held first digit repeats harmlessly", {D(4), D(4), D(4), D(0), D(7), D(1), D(9), D(3)}, true, 1},
        {"the last digit alone", {D(3)}, false, 0},
        {"the last digit twice after completing", {D(4), D(0), D(7), D(1), D(9), D(3), D(3)}, false, 1},
        {"seven different digits", {D(5), D(4), D(0), D(7), D(1), D(9), D(3)}, true, 2},
        {"a sequence typed through another key", {D(4), D(0), D(7), kAlt, D(4), D(0), D(7), D(1), D(9), D(3)}, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SupervisorSequence sequence;
        std::optional<std::string> offered;
        int checks = 0;
        for (const Press& press : c.presses) {
            offered = sequence.Press(press.key, press.digit);
            checks += offered.has_value();
        }
        EXPECT_EQ(offered == kSequence, c.lastPressCompletes);
        EXPECT_EQ(checks, c.checks);
    }
}

}  // namespace
