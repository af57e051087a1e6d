// The exam record of each candidate: kept on disk the moment the results are known, then printed, with what became
// of both shown to the supervisor in the status bar.
#include "exam/ExamWindow.h"

#include "entry/EntryDialog.h"
#include "platform/Cp1254.h"
#include "result/RecordArchive.h"
#include "result/RecordTemplate.h"

namespace exam {

namespace {

result::LocalTime LocalTimeOf(ExamState::WallClock::time_point instant) {
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

constexpr char kRecordKept[] = "Tutanak kaydedildi: ";
constexpr char kPrinting[] = "Tutanak yaz\xFDl\xFDyor...";

}  // namespace

result::ExamRecord TSinavForm::RecordOf(std::string typed, const text::ScoreResult& result,
                                        std::vector<text::WordSpan> wrongSpans) const {
    return {
        .computer = Control(SinavForm::PCLabel).Text(),
        .computerName = BilgisayarAdi(),
        .clockStarted = LocalTimeOf(exam_.ClockStarted()->wall),
        .clockEnded = LocalTimeOf(exam_.ClockEnded()->wall),
        .firstName = entry::AdayKaydi.adi,
        .surname = entry::AdayKaydi.soyadi,
        .candidateNumber = entry::AdayKaydi.adayNo,
        .typedText = std::move(typed),
        .wrongWords = std::move(wrongSpans),
        .typed = static_cast<int>(result.typedWords.size()),
        .correct = static_cast<int>(result.correctWords.size()),
        .wrong = static_cast<int>(result.wrongWords.size()),
        .board = settings_.board,
    };
}

void TSinavForm::KeepRecord(const result::ExamRecord& record) {
    const result::KeptRecord kept = result::RecordArchive(settings_.recordsFolder, result::DefaultRecordsFolder())
                                        .Keep(result::RecordTemplateRows(), record);
    if (!kept.error.empty())
        keptStatus_ = kept.error;
    else if (!kept.note.empty())
        keptStatus_ = kept.note;
    else
        keptStatus_ = kRecordKept + platform::NarrowCp1254(kept.documentPath);
}

void TSinavForm::PrintRecord(const result::ExamRecord& record) {
    printStatus_ = kPrinting;
    ShowStatus();
    printJob_ = printer_->Print(result::RecordFields(record), settings_.printer);
}

void TSinavForm::ShowPrintOutcomes() {
    for (const result::RecordPrinter::Finished& finished : printer_->TakeFinished()) {
        if (finished.job != printJob_) continue;
        printStatus_ = result::PrintOutcomeText(finished.outcome);
        ShowStatus();
    }
}

void TSinavForm::ShowStatus() {
    std::string text = statusCounts_;
    for (const std::string* part : {&keptStatus_, &printStatus_})
        if (!part->empty()) text += "    " + *part;
    Control(SinavForm::StatusBar1).SetText(text);
}

}  // namespace exam
