// A journal replayed: the whole state of the exam at its last record. The reader builds it from the file, the writer
// keeps it beside the file to compact it, and both take an event only where it can follow, so that what was
// written is always what can be read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "journal/pure/Events.h"

namespace journal {

enum class Stage { Countdown, Running, Stopped, TimeUp, RecordKept, Printed };

// The exam stopped because its PC did, and the supervisor continued it or, `ended`, ended it as it stood.
struct Interruption {
    std::int64_t stoppedWallMs = 0, resumedWallMs = 0;
    std::uint32_t examMs = 0;
    bool ended = false;
    friend bool operator==(const Interruption&, const Interruption&) = default;
};

struct JournalState {
    Opening opening;
    std::optional<std::int64_t> clockStartedWallMs;
    std::string typed;         // the typed text after every edit
    std::uint32_t examMs = 0;  // the exam clock's time at the last record
    // The wall clock at the last record: the last wall-carrying event's, plus the exam time that ran since if the
    // clock was running.
    std::int64_t lastWallMs = 0;
    Stage stage = Stage::Countdown;
    std::int64_t timeUpWallMs = 0;  // when the exam's time was up, as the record's end gives it
    std::vector<Interruption> interruptions;
    std::string documentName;  // from RecordKept

    // Applies one event; false (state unchanged) when it cannot follow: an edit outside the text or after the time
    // was up, a clock that starts twice, a tick while it stands, a record kept before the time was up, anything but
    // the time up after the exam was ended as it stood. A continued exam stands, as the exam window brings it back,
    // until its Resumed; one continued or ended before its clock started has its clock start then.
    bool Apply(const Event& event);
    friend bool operator==(const JournalState&, const JournalState&) = default;
};

// The state of a journal that holds its opening only.
JournalState OpenedState(const Opening& opening);

}  // namespace journal
