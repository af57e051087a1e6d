// The hall view of the console: one row per PC's state file, with what the supervisor must see. No Windows
// header: the console lists the Salon folder and reads the files; the board judges them against the console's clock.
#pragma once

#include <chrono>
#include <map>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "hall/pure/PcStateFile.h"

namespace hall {

using Instant = std::chrono::sys_time<std::chrono::milliseconds>;

struct StateSnapshot {
    std::string fileName;  // UTF-8, e.g. PC07.txt
    std::string bytes;
    Instant fileWritten;    // the file's last-write time as the file system reports it
    bool tooLarge = false;  // larger than kMaxStateFileBytes: `bytes` is empty, and the file no state file
};

// How a row is coloured: waiting, ready, an exam under way, an exam over, the supervisor wanted, a PC silent or its
// file unreadable.
enum class Tone { Idle, Ready, Busy, Finished, Attention, Alarm };

struct HallRow {
    std::string label{}, computer{};  // UTF-8; for a file that does not decode, its name and its name's stem
    std::string phase{};              // Turkish, Windows-1254
    std::string candidate{};          // the number and the names, UTF-8
    std::string timeLeft{};           // "2:05", empty when the phase has no exam clock
    std::string words{};              // the words typed, empty before the exam starts
    std::string seen{};               // how long ago a PC that stopped answering last wrote, Windows-1254
    std::string problems{};           // Turkish, Windows-1254
    Tone tone = Tone::Idle;
};

// A PC whose exam clock runs, or is stopped by the supervisor, writes its state at least this often; one that has not
// for this long is not answering.
inline constexpr std::chrono::seconds kSilenceAlarm{10};

class HallWitness;

class HallBoard {
public:
    // `files`: every state file in the folder now; `now`: the console's clock. A witness is told every state read.
    void Refresh(std::span<const StateSnapshot> files, Instant now, HallWitness* witness = nullptr);
    // Sorted by label, numbers as numbers (PC2 before PC10), then by computer.
    const std::vector<HallRow>& Rows() const { return rows_; }

private:
    struct Seen {
        std::string bytes;
        std::variant<PcState, StateRefusal> state;
        Instant changed;              // by the console's clock, or the file's time when first seen
        bool sequenceBroken = false;  // a state came whose number was not above the last one's: two writers
    };
    std::map<std::string, Seen> files_;
    std::vector<HallRow> rows_;
};

}  // namespace hall
