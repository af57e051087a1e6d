#include "result/RecordPrinter.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "platform/Cp1254.h"
#include "platform/Log.h"
#include "platform/SystemReason.h"
#include "platform/Unique.h"
#include "result/RecordDrawing.h"
#include "result/RecordTemplate.h"
#include "result/Spooler.h"
#include "result/pure/RecordPlaceholders.h"

namespace result {

struct PrintJob {
    int number;
    HWND window;
    UINT message;
    RecordTable record;
    const wchar_t* documentName;
    config::PrinterChoice printer;
    std::shared_ptr<std::atomic<int>> outcome;
};

namespace {

// ASCII only: the spooler of a CUPS system cuts a job's name at its first other letter.
constexpr wchar_t kRecordDocumentName[] = L"PC1 Sinav Tutanagi";

constexpr int kPrinting = -1;

constexpr DWORD kStuckJobExitCode = 3;

// An outcome and, when it is not Printed, the system's reason as the spooler's caller saw it.
struct Printed {
    PrintOutcome outcome;
    DWORD error = ERROR_SUCCESS;
};

const RecordTable& RecordTemplate() {
    static const RecordTable table = [] { return ParseRecordTemplate(RecordTemplateRows()); }();
    return table;
}

// The reason is taken before AbortDoc, which may set another.
Printed Failed(PrintOutcome outcome, HDC abortedDc = nullptr) {
    const Printed failed{outcome, GetLastError()};
    if (abortedDc) AbortDoc(abortedDc);
    return failed;
}

Printed PrintPages(HDC dc, const RecordTable& record, const wchar_t* documentName) {
    const RecordFonts fonts(dc);
    const std::vector<RecordPage> pages = LayOutPages(record, PrintedPageGeometry(dc), fonts);
    DOCINFOW document{};
    document.cbSize = sizeof(document);
    document.lpszDocName = documentName;
    if (StartDocW(dc, &document) <= 0) return Failed(PrintOutcome::JobFailed);
    for (const RecordPage& page : pages) {
        if (StartPage(dc) <= 0) return Failed(PrintOutcome::JobFailed, dc);
        DrawRecordPage(dc, page, fonts);
        if (EndPage(dc) <= 0) return Failed(PrintOutcome::JobFailed, dc);
    }
    return EndDoc(dc) > 0 ? Printed{PrintOutcome::Printed} : Failed(PrintOutcome::EndDocFailed);
}

Printed Print(const PrintJob& job, std::wstring& printerName) {
    const Spooler spooler;
    std::optional<std::wstring> printer;
    if (job.printer.kind == config::PrinterChoice::Kind::Named) printer = platform::WidenUtf8(job.printer.name);
    if (job.printer.kind == config::PrinterChoice::Kind::WindowsDefault) printer = spooler.DefaultPrinter();
    if (!printer) return Failed(PrintOutcome::NoPrinter);
    printerName = *printer;

    std::vector<BYTE> settings = spooler.A4PortraitSettings(*printer);
    const auto* devMode = settings.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(settings.data());
    const platform::Unique<HDC, DeleteDC> dc(CreateDCW(L"WINSPOOL", printer->c_str(), nullptr, devMode));
    if (!dc) return Failed(PrintOutcome::PrinterUnavailable);
    return PrintPages(dc.get(), job.record, job.documentName);
}

// On the printer's thread: what became of the job is left in it, told to its window and, when it failed, logged.
void PrintAndTell(const PrintJob& job) {
    std::wstring printerName;
    Printed printed{PrintOutcome::JobFailed};
    std::string reason;
    try {
        printed = Print(job, printerName);
    } catch (const std::exception& error) {
        reason = error.what();  // out of memory on the way: the record is not on paper, and says so
    }
    job.outcome->store(static_cast<int>(printed.outcome));
    PostMessageW(job.window, job.message, 0, 0);
    if (printed.outcome == PrintOutcome::Printed) return;
    if (printed.error) reason = platform::SystemReason(printed.error);
    platform::Log("print-fault", "job " + std::to_string(job.number) + " (" + platform::NarrowCp1254(job.documentName) +
                                     ", " + platform::NarrowCp1254(printerName) +
                                     "): " + PrintOutcomeText(printed.outcome) + " " + reason);
}

}  // namespace

std::string PrintOutcomeText(PrintOutcome outcome) {
    switch (outcome) {
    case PrintOutcome::Printed:
        return "S\xFDnav tutana\xF0\xFD yaz\xFD"
               "c\xFDya g\xF6nderildi.";
    case PrintOutcome::NoPrinter:
        return "Yaz\xFD"
               "c\xFD yok: s\xFDnav tutana\xF0\xFD yaz\xFDlmad\xFD.";
    case PrintOutcome::PrinterUnavailable:
        return "Yaz\xFD"
               "c\xFD bulunamad\xFD: s\xFDnav tutana\xF0\xFD yaz\xFDlmad\xFD.";
    case PrintOutcome::JobFailed:
        return "Yaz\xFD"
               "c\xFD i\xFEi kabul etmedi: s\xFDnav tutana\xF0\xFD yaz\xFDlmad\xFD.";
    case PrintOutcome::EndDocFailed:
        return "Yaz\xFD"
               "c\xFD i\xFEi tamamlamad\xFD: s\xFDnav tutana\xF0\xFD yaz\xFDlmam\xFD\xFE olabilir.";
    }
    return {};
}

RecordPrinter::RecordPrinter(HWND window, UINT message) : window_(window), message_(message) {}

RecordPrinter::~RecordPrinter() { FinishJobs(); }

void RecordPrinter::FinishJobs() const {
    if (!printing_ || printing_->WaitDone(kExitWaitMs)) return;
    platform::Log("print-fault", "a record still on its way to the printer after " + std::to_string(kExitWaitMs) +
                                     " ms, cut off with the program");
    platform::EndLog(static_cast<int>(kStuckJobExitCode));
    TerminateProcess(GetCurrentProcess(), kStuckJobExitCode);
}

int RecordPrinter::Print(const ExamRecord& record, const config::PrinterChoice& printer) {
    return Print(FilledRecord(RecordTemplate(), record), kRecordDocumentName, printer);
}

int RecordPrinter::Print(RecordTable table, const wchar_t* documentName, const config::PrinterChoice& printer) {
    const int number = ++jobsGiven_;
    if (printer.kind == config::PrinterChoice::Kind::None) {
        jobs_.push_back({number, std::make_shared<std::atomic<int>>(static_cast<int>(PrintOutcome::NoPrinter))});
        PostMessageW(window_, message_, 0, 0);
        return number;
    }
    auto outcome = std::make_shared<std::atomic<int>>(kPrinting);
    if (!printing_)
        printing_.emplace([](std::vector<std::unique_ptr<PrintJob>>& jobs) {
            for (const std::unique_ptr<PrintJob>& job : jobs) PrintAndTell(*job);
        });
    printing_->Hand(std::make_unique<PrintJob>(
        PrintJob{number, window_, message_, std::move(table), documentName, printer, outcome}));
    jobs_.push_back({number, std::move(outcome)});
    return number;
}

std::vector<RecordPrinter::Finished> RecordPrinter::TakeFinished() {
    std::vector<Finished> finished;
    std::erase_if(jobs_, [&](const Job& job) {
        const int outcome = job.outcome->load();
        if (outcome == kPrinting) return false;
        finished.push_back({job.number, static_cast<PrintOutcome>(outcome)});
        return true;
    });
    return finished;
}

}  // namespace result
