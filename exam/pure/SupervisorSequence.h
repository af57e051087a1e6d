// The supervisor's key sequence: six different digits, each pressed while Alt is held. Only the supervisor knows
// them; completing the sequence stops the exam clock and reveals the close button. No Windows header: the rules
// are tested natively.
#pragma once

#include <array>
#include <cstdint>

namespace exam {

class SupervisorSequence {
public:
    enum class Key { Digit, F4, Other };

    // The digits of the installation, in order; every one different.
    explicit SupervisorSequence(const std::array<int, 6>& digits) : digits_(digits) {}

    // A key pressed while Alt is held (main-row and keypad digits alike); true when it completes the sequence.
    bool Press(Key key, int digit = -1);
    std::uint8_t Progress() const { return progress_; }

private:
    std::array<int, 6> digits_;
    std::uint8_t progress_ = 0;  // the steps done so far, 0 to 5
};

}  // namespace exam
