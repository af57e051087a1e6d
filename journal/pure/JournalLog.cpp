#include "journal/pure/JournalLog.h"

#include <utility>
#include <vector>

#include "journal/pure/JournalFormat.h"

namespace journal {

JournalLog::JournalLog(const Opening& opening) : state_(OpenedState(opening)) {}

JournalLog::JournalLog(JournalState state, std::size_t logBytes) : state_(std::move(state)), logBytes_(logBytes) {}

std::string JournalLog::Append(std::span<const Event> events, std::size_t& refused) {
    std::vector<Event> taken;
    for (const Event& event : events) {
        if (state_.Apply(event))
            taken.push_back(event);
        else
            ++refused;
    }
    if (taken.empty()) return {};
    std::string frame = EncodeFrame(taken);
    logBytes_ += frame.size();
    return frame;
}

std::string JournalLog::Compacted() {
    logBytes_ = 0;
    return EncodeHeader() + EncodeCheckpoint(state_);
}

}  // namespace journal
