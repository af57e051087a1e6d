// What one PC is doing, as it tells the hall's console through a small file in the records folder. No Windows
// header: the file's form is tested natively, and the console reads it with the same decoder.
//
// UTF-8, one `key=value` line each, LF-ended, in this order:
//   pc1-hall-state=2          the format's version, always first
//   label=PC1 - (PC07)        the computer's label as the exam window shows it
//   computer=PC07             the computer's name
//   version=0.1.0             the program's version
//   phase=running             waiting | ready | countdown | running | stopped | time-up | results | unfinished
//   candidate=1234567         the candidate's number, first name and surname (empty while none is entered)
//   first-name=Ayşe
//   surname=Yılmaz
//   ms-left=123456            the exam time left, in milliseconds
//   words=42                  the words typed so far
//   written=2026-12-08T07:12:30.123Z   when the PC wrote it, UTC
//   problems=fallback-folder,not-printed   what the supervisor must see, comma-separated, empty when none
//   exam-id=20261207-143012-7f3a09c2   the exam's id (its journal's), empty while no exam is under way
//   seq=118                   one more at every write of this PC, also across the program's restarts
//   digest=3f0c...            the typed text's running digest (StateChain), empty while no exam is under way
//   journal=                  why the exam's journal cannot be written, empty while all is well
//   taken-up=14,170000        the words and time left of the exam as its journal gave it back after its PC stopped,
//                             in every later state of that exam; empty for an exam its PC never stopped in
//   end=17                    the count of the lines before it, always last
// Version 1 files, which the decoder still reads, end after `problems` (end=12); their states have no exam id,
// sequence number, digest, journal problem or take-up.
// A value runs from the first '=' to the end of its line; in it a backslash, a line break, a tab and any other
// control character are escaped (\\, \n, \r, \t, \xHH), so no value can make or end a line.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace hall {

inline constexpr int kStateFormatVersion = 2;
// Far more than any state takes: a file beyond it is not one of these.
inline constexpr std::size_t kMaxStateFileBytes = 8192;

enum class Phase {
    Waiting,     // the entry dialog waits for a candidate
    Ready,       // the candidate is entered; the start button waits
    Countdown,   // the five seconds before the exam clock starts
    Running,     // the exam clock runs
    Stopped,     // the supervisor stopped the exam clock
    TimeUp,      // the time-up dialog shows and the exam is scored
    Results,     // the results are on screen
    Unfinished,  // an exam an ended program left waits for the supervisor's choice
};

// What the supervisor must see: the record went to the default folder instead of the configured one, could not be
// kept at all, or was not printed.
struct Problems {
    bool fallbackFolder = false;
    bool notKept = false;
    bool notPrinted = false;
    bool operator==(const Problems&) const = default;
};

// An exam taken up from its journal: where it stood then, which the console holds against what it saw before, however
// little of the take-up itself it saw.
struct TakenUp {
    std::int64_t words = 0, msLeft = 0;
    bool operator==(const TakenUp&) const = default;
};

struct PcState {
    std::string label{}, computer{}, version{};  // UTF-8
    Phase phase = Phase::Waiting;
    std::string candidateNumber{}, firstName{}, surname{};  // UTF-8
    std::int64_t msLeft = 0;
    std::int64_t wordsTyped = 0;
    std::chrono::sys_time<std::chrono::milliseconds> written{};
    Problems problems{};
    std::string examId{};          // ASCII
    std::int64_t seq = 0;          // 0 in a version 1 file
    std::string digest{};          // lower-case hexadecimal
    std::string journalProblem{};  // UTF-8
    std::optional<TakenUp> takenUp{};
    bool operator==(const PcState&) const = default;
};

std::string EncodeState(const PcState& state);

// "14,170000", or empty for none: as the state file and the console's witness write a take-up.
std::string TakenUpText(const std::optional<TakenUp>& takenUp);
// False, leaving `takenUp` as it was, for a text that is neither.
bool ReadTakenUp(std::string_view text, std::optional<TakenUp>& takenUp);

struct StateRefusal {
    enum class Reason {
        Foreign,     // not a state file: another first line, too large, or not UTF-8
        Newer,       // a state file of a later format than this program reads
        Incomplete,  // cut short: its closing line is missing or does not count its lines
        Malformed,   // a line, key or value that this format does not have
    };
    Reason reason;
    int version = 0;     // the file's format version, once its first line is whole; 0 before
    std::string detail;  // the line or value refused, for whoever reads the refusal
};

// Refuses rather than guesses: a file that is not whole and of this format gives no state.
std::variant<PcState, StateRefusal> DecodeState(std::string_view bytes);

std::string_view PhaseName(Phase phase);

}  // namespace hall
