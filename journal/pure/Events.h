// What an exam's journal holds: who sits which exam where, then every event of the running exam as it happens, so
// that an exam whose PC died can be replayed to where it stood. Texts are Windows-1254, times milliseconds.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace journal {

// The journal's first record.
struct Opening {
    std::string examId;  // unique per exam and PC, see NewExamId
    std::string candidateNumber, firstName, surname;
    std::string computer;        // the PC label the exam window shows, e.g. "PC1 - (PC07)"
    std::string computerName;    // the computer's own name
    std::string sampleIdentity;  // hex SHA-256 of Metin.rtf's bytes
    // The sample's plain text as the exam scored it: an exam ended after a restart is scored against its own sample,
    // even when Metin.rtf has changed since.
    std::string sampleText;
    std::int64_t wallMs = 0;  // system clock, ms since 1970-01-01 UTC, when the exam was opened (start click)
    friend bool operator==(const Opening&, const Opening&) = default;
};

// `examMs` is the exam clock's running time at the event (0 before the clock starts, frozen while the supervisor has
// it stopped); `wallMs` as in Opening.
struct ClockStarted {
    std::int64_t wallMs = 0;
};
// Bytes of the typed text (Windows-1254, CR LF = 2 bytes), as exam::TypedText::Edit.
struct Edit {
    std::uint32_t examMs = 0;
    std::uint32_t start = 0, removed = 0;
    std::string inserted;
};
// The clock's second, written while it runs.
struct Tick {
    std::uint32_t examMs = 0;
    std::int64_t wallMs = 0;
};
// The supervisor stopped the clock.
struct Stopped {
    std::uint32_t examMs = 0;
    std::int64_t wallMs = 0;
};
// ... and it went on.
struct Resumed {
    std::uint32_t examMs = 0;
    std::int64_t wallMs = 0;
};
// After a crash the supervisor continued the exam; stoppedWallMs is the journal's last known wall time.
struct Continued {
    std::int64_t stoppedWallMs = 0, resumedWallMs = 0;
    std::uint32_t examMs = 0;
};
// After a crash the supervisor ended the exam as it stood.
struct EndedAsItStood {
    std::int64_t stoppedWallMs = 0, endedWallMs = 0;
    std::uint32_t examMs = 0;
};
// The clock ran out (or the exam was ended as it stood): scoring begins.
struct TimeUp {
    std::uint32_t examMs = 0;
    std::int64_t wallMs = 0;
};
// The record document and records-file line are on disk.
struct RecordKept {
    std::int64_t wallMs = 0;
    std::string documentName;
};
// The record's print ended, whatever its outcome.
struct Printed {
    std::int64_t wallMs = 0;
};

using Event =
    std::variant<ClockStarted, Edit, Tick, Stopped, Resumed, Continued, EndedAsItStood, TimeUp, RecordKept, Printed>;

}  // namespace journal
