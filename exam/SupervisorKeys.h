// The supervisor's sequence as the program's windows take it from their key presses: the exam window, which it stops,
// and the unfinished exam's dialog, which it unlocks.
#pragma once

#include <windows.h>

#include <optional>

#include "config/pure/SequenceHash.h"
#include "exam/pure/SupervisorSequence.h"
#include "platform/Event.h"

namespace exam {

// The digit of a main-row or keypad digit key, or -1.
int DigitOf(WORD key);

// Whether a key went down with the supervisor's Alt held. AltGr is Ctrl and Alt together and types letters on Turkish
// keyboards: it is never the supervisor's Alt.
inline bool IsSupervisorsAlt(const platform::EventArgs& keyDown) { return keyDown.alt && !keyDown.ctrl; }

enum class SequenceOutcome { Incomplete, Wrong, Right };

// A key pressed with the supervisor's Alt, offered to the sequence; `hash` is the installation's, without which no
// sequence is right. Six digits that could be the sequence are checked on the calling thread, which takes the time
// the hash was made to take (about a quarter of a second).
SequenceOutcome OfferToSequence(SupervisorSequence& sequence, const std::optional<config::SequenceHash>& hash,
                                WORD key);

}  // namespace exam
