#include "journal/pure/JournalState.h"

namespace journal {

namespace {

bool EndedAsItStoodAlready(const JournalState& state) {
    return !state.interruptions.empty() && state.interruptions.back().ended;
}

// Before the time is up, and not after the exam was ended as it stood.
bool Open(const JournalState& state) { return state.stage <= Stage::Stopped && !EndedAsItStoodAlready(state); }

// The exam clock never runs backwards: a reading older than the last one known is taken as that one. While the
// clock runs, the wall clock ran with it.
void Advance(JournalState& state, std::uint32_t examMs) {
    if (examMs <= state.examMs) return;
    if (state.stage == Stage::Running) state.lastWallMs += examMs - state.examMs;
    state.examMs = examMs;
}

// Each step looks whether its event can follow before it changes anything.
struct Step {
    JournalState& state;

    bool operator()(const ClockStarted& e) const {
        if (state.stage != Stage::Countdown) return false;
        state.clockStartedWallMs = e.wallMs;
        state.lastWallMs = e.wallMs;
        state.stage = Stage::Running;
        return true;
    }
    bool operator()(const Edit& e) const {
        if (!Open(state) || e.start > state.typed.size() || e.removed > state.typed.size() - e.start) return false;
        Advance(state, e.examMs);
        state.typed.replace(e.start, e.removed, e.inserted);
        return true;
    }
    bool operator()(const Tick& e) const { return Timed(Stage::Running, Stage::Running, e.examMs, e.wallMs); }
    bool operator()(const Stopped& e) const { return Timed(Stage::Running, Stage::Stopped, e.examMs, e.wallMs); }
    bool operator()(const Resumed& e) const {
        return Open(state) && Timed(Stage::Stopped, Stage::Running, e.examMs, e.wallMs);
    }
    // A continued exam comes back stopped, as the supervisor's stop, and goes on with the Resumed that follows.
    bool operator()(const Continued& e) const {
        return Interrupted({e.stoppedWallMs, e.resumedWallMs, e.examMs, false});
    }
    // Its clock stands until the time up that follows.
    bool operator()(const EndedAsItStood& e) const {
        return Interrupted({e.stoppedWallMs, e.endedWallMs, e.examMs, true});
    }
    bool operator()(const TimeUp& e) const {
        if (state.stage != Stage::Running && state.stage != Stage::Stopped) return false;
        Advance(state, e.examMs);
        state.lastWallMs = e.wallMs;
        state.timeUpWallMs = e.wallMs;
        state.stage = Stage::TimeUp;
        return true;
    }
    // A record that could not be kept at first may be kept after its print, when the program starts again.
    bool operator()(const RecordKept& e) const {
        const bool keepable =
            state.stage == Stage::TimeUp || (state.stage == Stage::Printed && state.documentName.empty());
        if (!keepable || e.documentName.empty()) return false;
        state.documentName = e.documentName;
        state.lastWallMs = e.wallMs;
        if (state.stage == Stage::TimeUp) state.stage = Stage::RecordKept;
        return true;
    }
    bool operator()(const Printed& e) const {
        if (state.stage != Stage::TimeUp && state.stage != Stage::RecordKept) return false;
        state.lastWallMs = e.wallMs;
        state.stage = Stage::Printed;
        return true;
    }

    bool Timed(Stage from, Stage to, std::uint32_t examMs, std::int64_t wallMs) const {
        if (state.stage != from) return false;
        Advance(state, examMs);
        state.lastWallMs = wallMs;
        state.stage = to;
        return true;
    }
    // An exam whose clock had not started yet has it start at the supervisor's choice, as the exam window counts it.
    bool Interrupted(const Interruption& interruption) const {
        if (!Open(state)) return false;
        Advance(state, interruption.examMs);
        state.interruptions.push_back(interruption);
        if (!state.clockStartedWallMs) state.clockStartedWallMs = interruption.resumedWallMs;
        state.lastWallMs = interruption.resumedWallMs;
        state.stage = Stage::Stopped;
        return true;
    }
};

}  // namespace

bool JournalState::Apply(const Event& event) { return std::visit(Step{*this}, event); }

JournalState OpenedState(const Opening& opening) {
    JournalState state;
    state.opening = opening;
    state.lastWallMs = opening.wallMs;
    return state;
}

}  // namespace journal
