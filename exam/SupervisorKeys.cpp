#include "exam/SupervisorKeys.h"

#include <string>

#include "config/SequenceCheck.h"

namespace exam {

int DigitOf(WORD key) {
    if (key >= '0' && key <= '9') return key - '0';
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return key - VK_NUMPAD0;
    return -1;
}

SequenceOutcome OfferToSequence(SupervisorSequence& sequence, const std::optional<config::SequenceHash>& hash,
                                WORD key) {
    const int digit = DigitOf(key);
    const auto kind = key == VK_F4 ? SupervisorSequence::Key::F4
                      : digit >= 0 ? SupervisorSequence::Key::Digit
                                   : SupervisorSequence::Key::Other;
    const std::optional<std::string> digits = sequence.Press(kind, digit);
    if (!digits) return SequenceOutcome::Incomplete;
    return hash && config::IsTheSequence(*hash, *digits) ? SequenceOutcome::Right : SequenceOutcome::Wrong;
}

}  // namespace exam
