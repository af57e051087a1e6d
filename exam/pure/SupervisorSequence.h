// The supervisor's key sequence: six different digits, each pressed while Alt is held; completing it stops the exam
// clock and reveals the close button. The installation keeps only a slow hash of the digits, so no digit can be
// judged before the sixth: the last six digits pressed are offered as a whole, to be checked against the hash. No
// Windows header: the rules are tested natively.
#pragma once

#include <optional>
#include <string>

namespace exam {

class SupervisorSequence {
public:
    enum class Key { Digit, F4, Other };

    // A key pressed while Alt is held (main-row and keypad digits alike). Returns the last six digits pressed, as
    // text, when they could be the sequence: six in a row and every one different.
    std::optional<std::string> Press(Key key, int digit = -1);

private:
    std::string digits_;  // pressed since the last other key, the last six at most
};

}  // namespace exam
