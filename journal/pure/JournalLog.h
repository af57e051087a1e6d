// The journal as its writer keeps it: the state its file replays to, and how many bytes of frames the file holds
// since its first frame. Past kCompactionBytes the file is rewritten as one checkpoint of the state, so that a
// journal stays small however long the exam runs and is read back at once.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "journal/pure/Events.h"
#include "journal/pure/JournalState.h"

namespace journal {

class JournalLog {
public:
    // An exam takes about 30 KB of frames: the bound is met only by exams far longer, or typed far faster.
    static constexpr std::size_t kCompactionBytes = 64 * 1024;

    // A new journal, whose file starts with the header and EncodeOpening(opening).
    explicit JournalLog(const Opening& opening);
    // A journal read back, whose file holds `logBytes` bytes, and goes on after them.
    JournalLog(JournalState state, std::size_t logBytes);

    // Applies the events that can follow the state, in order, and returns their frame, empty when none could; the
    // others are counted in `refused`: written, they would end the reading of everything after them.
    std::string Append(std::span<const Event> events, std::size_t& refused);
    bool CompactionDue() const { return logBytes_ > kCompactionBytes; }
    // The whole file anew, the header and a checkpoint of the state; frames count from it.
    std::string Compacted();

    const JournalState& State() const { return state_; }

private:
    JournalState state_;
    std::size_t logBytes_ = 0;
};

}  // namespace journal
