#include "exam/pure/SupervisorSequence.h"

#include <algorithm>

namespace exam {

// The first digit starts the sequence from any state, so starting over never needs a reset. Each later digit
// counts only right after its predecessor; anything else pressed with Alt, Alt itself and a held key's repeats
// included, starts over from nothing.
bool SupervisorSequence::Press(Key key, int digit) {
    const auto found = key == Key::Digit ? std::ranges::find(digits_, digit) : digits_.end();
    const auto step = static_cast<std::uint8_t>(found - digits_.begin());
    if (found == digits_.end()) {
        progress_ = 0;
        return false;
    }
    if (step == 0) {
        progress_ = 1;
        return false;
    }
    const bool follows = progress_ == step;
    progress_ = follows && step < digits_.size() - 1 ? step + 1 : 0;
    return follows && step == digits_.size() - 1;
}

}  // namespace exam
