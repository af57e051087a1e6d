// Prints candidates' exam records on a thread of their own, so that a slow or stopped spooler never holds up the
// program's windows, and never shows a dialog. The outcome comes back as a message posted to a window.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "result/pure/ExamRecord.h"

namespace result {

struct PrinterChoice {
    enum class Kind { WindowsDefault, Named, None };
    Kind kind = Kind::WindowsDefault;
    std::wstring name;  // for Kind::Named
};

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

class RecordPrinter {
public:
    // The outcome of every record is posted to `window` as `message`, WPARAM a PrintOutcome.
    RecordPrinter(HWND window, UINT message);
    // Waits for records still printing, kExitWaitMs at most; a job still running then is left running. A thread
    // still inside the loading of winspool.drv (a stopped spooler) can hold up the process's exit under Wine, as
    // the loader's lock is taken at exit: once measured, the exit came 123 s after the start.
    ~RecordPrinter();
    RecordPrinter(const RecordPrinter&) = delete;
    RecordPrinter& operator=(const RecordPrinter&) = delete;

    // Fills the record's template with the fields and prints it on its own thread. Returns at once.
    void Print(std::span<const RecordField> fields, const PrinterChoice& printer);

    static constexpr DWORD kExitWaitMs = 5000;

private:
    void ForgetFinishedJobs();

    HWND window_;
    UINT message_;
    std::vector<HANDLE> jobs_;  // threads
};

}  // namespace result
