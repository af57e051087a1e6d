#include "result/RecordKeeper.h"

#include "platform/Cp1254.h"
#include "platform/Log.h"
#include "result/RecordArchive.h"
#include "result/RecordTemplate.h"

namespace result {

namespace {

constexpr char kRecordKept[] = "Tutanak kaydedildi: ";
constexpr char kPrinting[] = "Tutanak yaz\xFDl\xFDyor...";
constexpr char kStatusGap[] = "    ";

}  // namespace

RecordKeeper::RecordKeeper(HWND window, UINT printedMessage, const config::Settings& settings)
    : recordsFolder_(settings.recordsFolder), printerChoice_(settings.printer), printer_(window, printedMessage) {}

void RecordKeeper::NewCandidate() {
    keptStatus_.clear();
    printStatus_.clear();
    problems_ = {};
    printJob_ = 0;
}

std::wstring RecordKeeper::Keep(const ExamRecord& record) {
    const KeptRecord kept = RecordArchive(recordsFolder_, DefaultRecordsFolder()).Keep(RecordTemplateRows(), record);
    problems_.inDefaultFolder = !kept.note.empty();
    problems_.notKept = !kept.error.empty();
    if (problems_.inDefaultFolder) platform::Log("records-folder-fault", kept.note);
    if (problems_.notKept) platform::Log("record-fault", kept.error);
    if (!kept.error.empty())
        keptStatus_ = kept.error;
    else if (!kept.note.empty())
        keptStatus_ = kept.note;
    else
        keptStatus_ = kRecordKept + platform::NarrowCp1254(kept.documentPath);
    return kept.documentPath;
}

int RecordKeeper::Print(const ExamRecord& record) {
    printStatus_ = kPrinting;
    printJob_ = printer_.Print(record, printerChoice_);
    return printJob_;
}

RecordKeeper::PrintsEnded RecordKeeper::TakePrintOutcomes() {
    PrintsEnded ended;
    for (const RecordPrinter::Finished& finished : printer_.TakeFinished()) {
        ended.jobs.push_back(finished.job);
        if (finished.job != printJob_) continue;
        printStatus_ = PrintOutcomeText(finished.outcome);
        problems_.notPrinted = finished.outcome != PrintOutcome::Printed;
        ended.current = true;
    }
    return ended;
}

std::string RecordKeeper::Status() const {
    std::string text;
    for (const std::string* part : {&keptStatus_, &printStatus_})
        if (!part->empty()) text += kStatusGap + *part;
    return text;
}

LocalTime LocalTimeOf(std::chrono::system_clock::time_point instant) {
    // FILETIME counts 100-nanosecond steps from 1601; the system clock counts from 1970.
    constexpr long long kFrom1601To1970 = 116444736000000000LL;
    const long long ticks =
        std::chrono::duration_cast<std::chrono::nanoseconds>(instant.time_since_epoch()).count() / 100 +
        kFrom1601To1970;
    const FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME universal{}, local{};
    FileTimeToSystemTime(&utc, &universal);
    SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local);
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

}  // namespace result
