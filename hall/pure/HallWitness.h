// What the hall's console saw of each exam, kept on the console's own PC where no exam PC reaches, and the verdicts it
// gives the day's records by it. A program on an exam PC can write any file that PC1 writes, but not what the console
// saw when, nor when the console was watching. No Windows header: the console reads and writes the witness's file.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "hall/pure/DayResults.h"
#include "hall/pure/HallBoard.h"
#include "hall/pure/PcStateFile.h"

namespace hall {

// What the console saw of one exam; every instant by the console's clock.
struct WitnessedExam {
    std::string examId{}, computer{}, label{}, candidateNumber{};  // UTF-8
    std::int64_t words = 0, msLeft = 0;
    std::string digest{};
    std::int64_t seq = 0;
    Phase phase = Phase::Waiting;
    Instant firstSeen{}, lastSeen{};
    bool sawUnderWay = false;  // running, stopped by the supervisor, or unfinished
    // Not answering, or unfinished: the last words and time left seen before, until it is seen running again.
    bool interrupted = false;
    std::int64_t wordsBefore = 0, msLeftBefore = 0;
    bool grewWhileInterrupted = false;  // came back with more text or more time than the hall last saw
    bool sequenceBroken = false;        // its PC's state file had another writer while it was under way
    bool over = false;                  // its PC went on to another exam or to waiting
    std::optional<TakenUp> takenUp{};   // the last take-up from its journal that its PC's states said
    bool operator==(const WitnessedExam&) const = default;
};

// A stretch of time when the console read the hall every second or so.
struct WatchPeriod {
    Instant from, to;
    bool operator==(const WatchPeriod&) const = default;
};

// What 8 s of typing at 240 words a minute adds: the PC writes every 2 s, and its journal may be up to that much
// ahead of the hall's last sight when the PC is killed.
inline constexpr std::int64_t kWordsBetweenWrites = 8;
inline constexpr std::int64_t kMsLeftTolerance = 1000;
// Readings further apart than this are two watching periods: the console was not running between them.
inline constexpr std::chrono::seconds kWatchGap{15};

class HallWitness {
public:
    // The console read the hall at `now`.
    void Watching(Instant now);
    // A PC's state as the console read it at `now`: `answering` is false for one whose beat has stopped,
    // `sequenceBroken` for a state file with two writers.
    void Saw(const PcState& state, bool answering, bool sequenceBroken, Instant now);

    const std::map<std::string, WitnessedExam>& Exams() const { return exams_; }  // by exam id
    const std::vector<WatchPeriod>& Periods() const { return periods_; }
    // Whether the console was watching at any time between the two instants.
    bool WasWatching(Instant from, Instant to) const;

    // UTF-8 text, a line each; Decode gives nothing for a file that is not one of these.
    std::string Encode() const;
    static std::optional<HallWitness> Decode(std::string_view bytes);

    bool operator==(const HallWitness&) const = default;

private:
    std::map<std::string, WitnessedExam> exams_;
    std::vector<WatchPeriod> periods_;
};

// Gives each result its verdict by what the console saw, and adds a row, unranked, for each exam the console saw under
// way that is over (its PC went on, or `dayOver`) and has no record. `utcOffset`: the console's local time less UTC,
// to place the records' local times on the console's clock.
void JudgeResults(std::vector<RankedResult>& results, const HallWitness& witness, std::chrono::minutes utcOffset,
                  bool dayOver);

}  // namespace hall
