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
    std::string recordsFile{};  // the file the line came from
};

// The day of a records file's name: "2026-12-07" for "2026-12-07_PC07.csv"; nothing for a file of any other name.
std::optional<std::string> RecordsFileDay(std::string_view fileName);

struct DayRead {
    std::vector<ResultLine> lines;
    std::vector<std::string> faults;  // Turkish sentences, Windows-1254, each naming the file
};
// `fileName` (UTF-8) as the console found it; `bytes` the file as it stands, maybe while a PC appends to it.
DayRead ReadRecordsFile(std::string_view fileName, std::string_view bytes);

struct RankedResult {
    ResultLine line;
    int rank = 0;
    bool candidateSeatedTwice = false;  // the candidate's number is on another line too
};
// Every exam once (a line whose exam id came before is left out), the best first: by the net count, then the correct
// words. Equal results share a rank (1, 1, 3) and are listed by their start.
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

// The byte-order mark, the header and one line per result in the given order: a records file Excel opens.
std::string MergedRecordsFile(std::span<const RankedResult> results);

}  // namespace hall
