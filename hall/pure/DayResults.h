// The day's results in the hall's console: every PC's records file read, each exam once, ranked, and written back as
// one records file for Excel. No Windows header: the console lists the files and reads their bytes itself.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hall {

// One line of a records file; every text UTF-8, as in the file.
struct ResultLine {
    std::string date{}, started{}, ended{}, pc{}, candidateNumber{}, firstName{}, surname{};
    int typed = 0, correct = 0, wrong = 0, net = 0;
    std::string document{};  // the record document's file name
    int interruptions = 0, secondsInterrupted = 0;
    std::string examId{};
    std::string hallDigest{};      // the typed text's digest in the PC's last state for the hall
    std::string journalProblem{};  // why the exam ran without its journal, or empty
    std::string recordsFile{};     // the file the line came from
};

// Counts that no exam gives: more correct or wrong words than typed, correct and wrong words that are not the typed
// ones, a net count other than the correct less the wrong (never below 0).
bool CountsImpossible(const ResultLine& line);

// The day of a records file's name: "2026-12-07" for "2026-12-07_PC07.csv"; nothing for a file of any other name.
std::optional<std::string> RecordsFileDay(std::string_view fileName);

struct DayRead {
    std::vector<ResultLine> lines;
    std::vector<std::string> faults;  // Turkish sentences, Windows-1254, each naming the file
};
// `fileName` (UTF-8) as the console found it; `bytes` the file as it stands, maybe while a PC appends to it.
DayRead ReadRecordsFile(std::string_view fileName, std::string_view bytes);

// What the hall's console can say of a result (HallWitness): Windows-1254, and whether the supervisor must look into
// it.
struct Verdict {
    std::string text{};
    bool warning = false;
};

struct RankedResult {
    ResultLine line;
    int rank = 0;                       // 0: not ranked, its counts are impossible, or it has no record
    bool candidateSeatedTwice = false;  // the candidate's number is on another line too
    Verdict verdict{};
};
// Every exam once (a line whose exam id came before is left out), the best first: by the net count, then the correct
// words. Equal results share a rank (1, 1, 3) and are listed by their start. Lines with impossible counts come last,
// without a rank.
std::vector<RankedResult> RankResults(std::vector<ResultLine> lines);

enum class ResultColumn {
    Rank,
    CandidateNumber,
    FirstName,
    Surname,
    Pc,
    Started,
    Typed,
    Correct,
    Wrong,
    Net,
    Interruptions
};
// The order of a list sorted by `column`, ascending: counts as numbers, texts in Turkish alphabetical order with their
// numbers as numbers (PC2 before PC10). A strict weak order, for std::stable_sort.
bool ComesBefore(ResultColumn column, const RankedResult& a, const RankedResult& b);

// The title of the hall's verdict in the lists the console exports and prints.
inline constexpr std::string_view kVerdictTitle = "Salon Tan\xFD\xF0\xFD";

// The byte-order mark, the header and one line per result in the given order, as a records file has them, with the
// hall's verdict last: a list Excel opens.
std::string MergedRecordsFile(std::span<const RankedResult> results);

}  // namespace hall
