// Prints candidates' exam records on a thread of their own, so that a slow or stopped spooler never holds up the
// program's windows, and never shows a dialog. The outcome comes back as a message posted to a window.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ProgramEnd.h"
#include "platform/Worker.h"
#include "result/pure/ExamRecord.h"
#include "result/pure/RecordTable.h"

namespace result {

// The message's WPARAM.
enum class PrintOutcome : WPARAM {
    Printed,
    NoPrinter,           // the choice is none, or Windows has no default printer
    PrinterUnavailable,  // the printer cannot be opened: unknown, or no spooler
    JobFailed,           // the spooler refused the document or a page
    EndDocFailed,        // every page went out, but the spooler did not take the job
};

// For the status bar; Windows-1254.
std::string PrintOutcomeText(PrintOutcome outcome);

// What the printer's thread is handed: the job's own, from the moment it is given.
struct PrintJob;

// Prints on a thread of its own, one record after another. A job's outcome is read from where the thread left it: the
// message that announces it carries nothing to trust, since any program can post it.
class RecordPrinter {
public:
    // `message` is posted to `window` whenever a job ends; its handler calls TakeFinished.
    RecordPrinter(HWND window, UINT message);
    // Waits for records still printing, as the program's end does (FinishJobs).
    ~RecordPrinter();
    RecordPrinter(const RecordPrinter&) = delete;
    RecordPrinter& operator=(const RecordPrinter&) = delete;

    // Fills the record's template with the record and prints it on the printer's thread. Returns at once, with the
    // job's number.
    int Print(const ExamRecord& record, const config::PrinterChoice& printer);
    // Any table laid out on A4 as the record is (its first row heading every page), under the spooler's document
    // name, which must be ASCII (`documentName` lives as long as the program: a literal).
    int Print(RecordTable table, const wchar_t* documentName, const config::PrinterChoice& printer);

    struct Finished {
        int job;
        PrintOutcome outcome;
    };
    // The jobs that have ended since the last call, in the order they were given.
    std::vector<Finished> TakeFinished();

    static constexpr DWORD kExitWaitMs = 5000;

private:
    // Waits for records still printing, kExitWaitMs at most. A job still running then is stuck in the spooler,
    // whose library can hold the end of the process for minutes; the process then ends at once, without it.
    void FinishJobs() const;

    struct Job {
        int number;
        std::shared_ptr<std::atomic<int>> outcome;  // the PrintOutcome the job left, once it has ended
    };

    HWND window_;
    UINT message_;
    int jobsGiven_ = 0;
    std::vector<Job> jobs_;
    // Made at the first print: a program that prints nothing starts no thread for it.
    std::optional<platform::Worker<std::unique_ptr<PrintJob>>> printing_;
    // The program, however it ends, ends no record halfway to the printer.
    platform::ProgramEndWait programEnd_{[this] { FinishJobs(); }};
};

}  // namespace result
