// What becomes of each candidate's exam record: kept on disk the moment the results are known, then printed, and
// what became of both, for the supervisor to read in the exam window's status bar.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "config/pure/Settings.h"
#include "result/RecordPrinter.h"
#include "result/pure/ExamRecord.h"

namespace result {

class RecordKeeper {
public:
    // `printedMessage` is posted to `window` whenever a print ends; its handler calls TakePrintOutcomes. The
    // installation's records folder and printer come from `settings`.
    RecordKeeper(HWND window, UINT printedMessage, const config::Settings& settings);

    // A new candidate: nothing of the previous record shows any more, not even its print's outcome when it comes.
    void NewCandidate();
    // Keeps the record in the records folder, or in the default one when that is out of reach; never throws for a
    // failing disk or share. Returns the record document's path, empty when it could not be kept.
    std::wstring Keep(const ExamRecord& record);
    // Hands the record to the printer's thread and returns at once, with the print's job number.
    int Print(const ExamRecord& record);
    struct PrintsEnded {
        std::vector<int> jobs;
        bool current = false;  // the current record's print was among them
    };
    // Takes the outcomes of the prints that have ended.
    PrintsEnded TakePrintOutcomes();

    // What became of the current record on disk and on paper, Windows-1254: each part after a gap, to follow the
    // counts that the status bar shows first. Empty before the record is kept.
    std::string Status() const;
    // What the supervisor must see of the current record: kept in the default folder instead of the configured one,
    // not kept at all, or not printed (its print has ended otherwise than on the printer). None before it is kept.
    struct Problems {
        bool inDefaultFolder = false, notKept = false, notPrinted = false;
    };
    Problems CurrentProblems() const { return problems_; }

private:
    std::string recordsFolder_;
    config::PrinterChoice printerChoice_;
    RecordPrinter printer_;
    std::string keptStatus_, printStatus_;
    Problems problems_;
    int printJob_ = 0;  // the current record's; an outcome of an earlier one no longer shows
};

// The computer's local date and time at an instant of the system clock, as the record gives its times.
LocalTime LocalTimeOf(std::chrono::system_clock::time_point instant);

}  // namespace result
