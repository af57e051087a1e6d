#include "result/RecordPrinter.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "platform/Cp1254.h"
#include "platform/Unique.h"
#include "result/RecordDrawing.h"
#include "result/RecordTemplate.h"
#include "result/Spooler.h"
#include "result/pure/RecordPlaceholders.h"

namespace result {

namespace {

// ASCII only: the spooler of a CUPS system cuts a job's name at its first other letter.
constexpr wchar_t kRecordDocumentName[] = L"PC1 Sinav Tutanagi";

constexpr int kPrinting = -1;

struct PrintJob {
    HWND window;
    UINT message;
    RecordTable record;
    const wchar_t* documentName;
    config::PrinterChoice printer;
    std::shared_ptr<std::atomic<int>> outcome;
};

constexpr DWORD kStuckJobExitCode = 3;

const RecordTable& RecordTemplate() {
    static const RecordTable table = [] { return ParseRecordTemplate(RecordTemplateRows()); }();
    return table;
}

PrintOutcome PrintPages(HDC dc, const RecordTable& record, const wchar_t* documentName) {
    const RecordFonts fonts(dc);
    const std::vector<RecordPage> pages = LayOutPages(record, PrintedPageGeometry(dc), fonts);
    DOCINFOW document{};
    document.cbSize = sizeof(document);
    document.lpszDocName = documentName;
    if (StartDocW(dc, &document) <= 0) return PrintOutcome::JobFailed;
    for (const RecordPage& page : pages) {
        if (StartPage(dc) <= 0) {
            AbortDoc(dc);
            return PrintOutcome::JobFailed;
        }
        DrawRecordPage(dc, page, fonts);
        if (EndPage(dc) <= 0) {
            AbortDoc(dc);
            return PrintOutcome::JobFailed;
        }
    }
    return EndDoc(dc) > 0 ? PrintOutcome::Printed : PrintOutcome::EndDocFailed;
}

PrintOutcome Print(const PrintJob& job) {
    const Spooler spooler;
    std::optional<std::wstring> printer;
    if (job.printer.kind == config::PrinterChoice::Kind::Named) printer = platform::WidenUtf8(job.printer.name);
    if (job.printer.kind == config::PrinterChoice::Kind::WindowsDefault) printer = spooler.DefaultPrinter();
    if (!printer) return PrintOutcome::NoPrinter;

    std::vector<BYTE> settings = spooler.A4PortraitSettings(*printer);
    const auto* devMode = settings.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(settings.data());
    const platform::Unique<HDC, DeleteDC> dc(CreateDCW(L"WINSPOOL", printer->c_str(), nullptr, devMode));
    if (!dc) return PrintOutcome::PrinterUnavailable;
    return PrintPages(dc.get(), job.record, job.documentName);
}

DWORD WINAPI PrintThread(void* parameter) {
    const std::unique_ptr<PrintJob> job(static_cast<PrintJob*>(parameter));
    PrintOutcome outcome = PrintOutcome::JobFailed;
    try {
        outcome = Print(*job);
    } catch (const std::exception&) {
        outcome = PrintOutcome::JobFailed;  // out of memory on the way: the record is not on paper, and says so
    }
    job->outcome->store(static_cast<int>(outcome));
    PostMessageW(job->window, job->message, 0, 0);
    return 0;
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
    std::vector<HANDLE> running;
    for (const Job& job : jobs_)
        if (job.thread) running.push_back(job.thread.get());
    const bool stuck = !running.empty() && WaitForMultipleObjects(static_cast<DWORD>(running.size()), running.data(),
                                                                  TRUE, kExitWaitMs) == WAIT_TIMEOUT;
    if (stuck) TerminateProcess(GetCurrentProcess(), kStuckJobExitCode);
}

int RecordPrinter::Print(const ExamRecord& record, const config::PrinterChoice& printer) {
    return Print(FilledRecord(RecordTemplate(), record), kRecordDocumentName, printer);
}

int RecordPrinter::Print(RecordTable table, const wchar_t* documentName, const config::PrinterChoice& printer) {
    const int number = ++jobsGiven_;
    const auto endAtOnce = [&](PrintOutcome outcome) {
        jobs_.push_back({number, platform::Unique<HANDLE, CloseHandle>(),
                         std::make_shared<std::atomic<int>>(static_cast<int>(outcome))});
        PostMessageW(window_, message_, 0, 0);
        return number;
    };
    // More jobs than one wait can cover would be a spooler that takes none: they would never end either.
    if (jobs_.size() >= MAXIMUM_WAIT_OBJECTS) return endAtOnce(PrintOutcome::JobFailed);
    if (printer.kind == config::PrinterChoice::Kind::None) return endAtOnce(PrintOutcome::NoPrinter);
    auto outcome = std::make_shared<std::atomic<int>>(kPrinting);
    auto job =
        std::make_unique<PrintJob>(PrintJob{window_, message_, std::move(table), documentName, printer, outcome});
    platform::Unique<HANDLE, CloseHandle> thread(CreateThread(nullptr, 0, PrintThread, job.get(), 0, nullptr));
    if (!thread) return endAtOnce(PrintOutcome::JobFailed);
    job.release();  // the thread's now
    jobs_.push_back({number, std::move(thread), std::move(outcome)});
    return number;
}

std::vector<RecordPrinter::Finished> RecordPrinter::TakeFinished() {
    std::vector<Finished> finished;
    std::erase_if(jobs_, [&](const Job& job) {
        const int outcome = job.outcome->load();
        if (outcome == kPrinting) return false;
        finished.push_back({job.number, static_cast<PrintOutcome>(outcome)});
        // The thread has only to return; the process's end waits for no job that has printed.
        return true;
    });
    return finished;
}

}  // namespace result
