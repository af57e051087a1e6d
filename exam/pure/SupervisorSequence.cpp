#include "exam/pure/SupervisorSequence.h"

#include "config/pure/SequenceHash.h"

namespace exam {

// The sequence is complete exactly when the last six keys pressed with Alt are its digits in order, so starting
// over from its first digit always works. Anything else pressed with Alt, Alt itself included, starts over from
// nothing; a held key's repeats are digits pressed again, and a window holding one twice is no sequence.
std::optional<std::string> SupervisorSequence::Press(Key key, int digit) {
    if (key != Key::Digit || digit < 0 || digit > 9) {
        digits_.clear();
        return std::nullopt;
    }
    if (digits_.size() == 6) digits_.erase(0, 1);
    digits_ += static_cast<char>('0' + digit);
    if (!config::IsSequence(digits_)) return std::nullopt;
    return digits_;
}

}  // namespace exam
