#include "result/RecordPrinter.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "platform/Resource.h"
#include "platform/Unique.h"
#include "result/RecordDrawing.h"
#include "result/Spooler.h"
#include "result/pure/RecordPlaceholders.h"

namespace result {

namespace {

// ASCII only: the spooler of a CUPS system cuts a job's name at its first other letter.
constexpr wchar_t kDocumentName[] = L"PC1 Sinav Tutanagi";

struct PrintJob {
    HWND window;
    UINT message;
    RecordTable record;
    PrinterChoice printer;
};

const RecordTable& RecordTemplate() {
    static const RecordTable table = [] {
        const auto bytes = platform::ResourceBytes(L"TESTDOC", RT_RCDATA);
        return ParseRecordTemplate({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    }();
    return table;
}

PrintOutcome PrintPages(HDC dc, const RecordTable& record) {
    const RecordFonts fonts(dc);
    const std::vector<RecordPage> pages = LayOutPages(record, PrintedPageGeometry(dc), fonts);
    DOCINFOW document{};
    document.cbSize = sizeof(document);
    document.lpszDocName = kDocumentName;
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
    if (job.printer.kind == PrinterChoice::Kind::Named) printer = job.printer.name;
    if (job.printer.kind == PrinterChoice::Kind::WindowsDefault) printer = spooler.DefaultPrinter();
    if (!printer) return PrintOutcome::NoPrinter;

    std::vector<BYTE> settings = spooler.A4PortraitSettings(*printer);
    const auto* devMode = settings.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(settings.data());
    const platform::Unique<HDC, DeleteDC> dc(CreateDCW(L"WINSPOOL", printer->c_str(), nullptr, devMode));
    if (!dc) return PrintOutcome::PrinterUnavailable;
    return PrintPages(dc.get(), job.record);
}

DWORD WINAPI PrintThread(void* parameter) {
    const std::unique_ptr<PrintJob> job(static_cast<PrintJob*>(parameter));
    PrintOutcome outcome = PrintOutcome::JobFailed;
    try {
        outcome = Print(*job);
    } catch (const std::exception&) {
        outcome = PrintOutcome::JobFailed;  // out of memory on the way: the record is not on paper, and says so
    }
    PostMessageW(job->window, job->message, static_cast<WPARAM>(outcome), 0);
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

RecordPrinter::~RecordPrinter() {
    ForgetFinishedJobs();
    if (!jobs_.empty()) {
        WaitForMultipleObjects(static_cast<DWORD>(std::min<std::size_t>(jobs_.size(), MAXIMUM_WAIT_OBJECTS)),
                               jobs_.data(), TRUE, kExitWaitMs);
    }
    for (const HANDLE thread : jobs_) CloseHandle(thread);
}

void RecordPrinter::Print(std::span<const RecordField> fields, const PrinterChoice& printer) {
    ForgetFinishedJobs();
    if (printer.kind == PrinterChoice::Kind::None) {
        PostMessageW(window_, message_, static_cast<WPARAM>(PrintOutcome::NoPrinter), 0);
        return;
    }
    auto job =
        std::make_unique<PrintJob>(PrintJob{window_, message_, FillPlaceholders(RecordTemplate(), fields), printer});
    const HANDLE thread = CreateThread(nullptr, 0, PrintThread, job.get(), 0, nullptr);
    if (!thread) {
        PostMessageW(window_, message_, static_cast<WPARAM>(PrintOutcome::JobFailed), 0);
        return;
    }
    job.release();  // the thread's now
    jobs_.push_back(thread);
}

void RecordPrinter::ForgetFinishedJobs() {
    std::erase_if(jobs_, [](HANDLE thread) {
        if (WaitForSingleObject(thread, 0) != WAIT_OBJECT_0) return false;
        CloseHandle(thread);
        return true;
    });
}

}  // namespace result
