#include "salon/SalonWindow.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <numeric>
#include <tuple>

#include "hall/pure/ResultsSheet.h"
#include "platform/Cp1254.h"
#include "platform/Files.h"
#include "platform/FolderDialog.h"
#include "platform/Log.h"
#include "platform/SystemReason.h"
#include "result/RecordKeeper.h"
#include "result/pure/LocalTimeText.h"
#include "text/Cp1254Unicode.h"

namespace salon {

namespace {

using platform::Event;
using platform::EventWiring;
using Self = TSalonForm;

const EventWiring<Self> kEventWiring[] = {
    {SalonForm::KlasorSec, Event::Click, &Self::KlasorSecClick},
    {SalonForm::OncekiGun, Event::Click, &Self::OncekiGunClick},
    {SalonForm::SonrakiGun, Event::Click, &Self::SonrakiGunClick},
    {SalonForm::Bugun, Event::Click, &Self::BugunClick},
    {SalonForm::TutanakAc, Event::Click, &Self::TutanakAcClick},
    {SalonForm::DisaAktar, Event::Click, &Self::DisaAktarClick},
    {SalonForm::Yazdir, Event::Click, &Self::YazdirClick},
    {SalonForm::Sonuclar, Event::ColumnClick, &Self::SonuclarColumnClick},
    {SalonForm::Sonuclar, Event::Open, &Self::SonuclarOpen},
};

constexpr wchar_t kTitle[] = L"PC1 Salon";
constexpr wchar_t kFolderDialogTitle[] = L"PC1 Salon: tutanak klas\x00F6r\x00FC";
// ASCII only: the spooler of a CUPS system cuts a job's name at its first other letter.
constexpr wchar_t kListDocumentName[] = L"PC1 Salon Sonuc Listesi";
constexpr int kWarningColumn = static_cast<int>(std::size(kResultColumns)) - 1;
constexpr int kVerdictColumn = kWarningColumn - 1;

COLORREF ToneColour(hall::Tone tone) {
    switch (tone) {
    case hall::Tone::Idle:
        return RGB(96, 96, 96);
    case hall::Tone::Ready:
        return RGB(0, 0, 170);
    case hall::Tone::Busy:
        return RGB(0, 110, 0);
    case hall::Tone::Finished:
        return RGB(0, 0, 0);
    case hall::Tone::Attention:
        return RGB(190, 95, 0);
    case hall::Tone::Alarm:
        return RGB(210, 0, 0);
    }
    return RGB(0, 0, 0);
}

std::string Today() { return result::IsoDate(result::LocalTimeOf(std::chrono::system_clock::now())); }

// "2026-12-07" as the supervisor reads it: 07.12.2026.
std::string Dotted(std::string_view isoDay) {
    if (isoDay.size() != 10) return std::string(isoDay);
    return std::string(isoDay.substr(8, 2)) + "." + std::string(isoDay.substr(5, 2)) + "." +
           std::string(isoDay.substr(0, 4));
}

std::wstring Number(int value) { return std::to_wstring(value); }

// What tells an exam's line apart from every other, from one reading to the next.
std::string ExamKey(const hall::ResultLine& line) {
    return line.recordsFile + '\n' + line.examId + '\n' + line.started + '\n' + line.candidateNumber;
}

}  // namespace

TSalonForm::TSalonForm(std::wstring folder, config::Settings settings)
    : FormOf(kEventWiring, SalonFormLayout()), folder_(std::move(folder)), settings_(std::move(settings)) {
    Build();
    Control(SalonForm::Salon).SetColumns(kHallColumns);
    Control(SalonForm::Salon).SetRows(&hallRows_);
    Control(SalonForm::Sonuclar).SetColumns(kResultColumns);
    Control(SalonForm::Sonuclar).SetRows(&resultRows_);
    Control(SalonForm::Sonuclar).ShowSortColumn(sortColumn_, ascending_);
    watch_.emplace(Handle(), kReadMessage, WitnessFolder());
    printer_.emplace(Handle(), kPrintedMessage);
    CentreClientArea(kSalonFormClientSize);
    ShowDay(Today());
}

LRESULT TSalonForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kReadMessage:
        // A console left open over midnight goes on to the new day, unless the supervisor chose an earlier one.
        if (followsToday_ && day_ != Today()) ShowDay(Today());
        // A reading begun before the supervisor chose another folder or day is not shown.
        if (auto reading = watch_->Take(); reading && reading->folder == folder_ && reading->day == day_)
            ShowReading(std::move(reading));
        return 0;
    case kPrintedMessage:
        for (const result::RecordPrinter::Finished& job : printer_->TakeFinished())
            printStatus_ = job.outcome == result::PrintOutcome::Printed ? "Liste yaz\xFD"
                                                                          "c\xFDya g\xF6nderildi."
                                                                        : "Liste yaz\xFD"
                                                                          "d\xFDr\xFDlamad\xFD: " +
                                                                              result::PrintOutcomeText(job.outcome);
        ShowStatus();
        return 0;
    default:
        return Form::HandleMessage(message, wParam, lParam);
    }
}

void TSalonForm::ShowDay(std::string day) {
    day_ = std::move(day);
    followsToday_ = day_ == Today();
    Control(SalonForm::Gun).SetText("G\xFCn: " + Dotted(day_) + (followsToday_ ? " (bug\xFCn)" : ""));
    watch_->Watch(folder_, day_);
}

void TSalonForm::ShowReading(std::unique_ptr<HallReading> reading) {
    const std::optional<std::string> chosen = ChosenExam();
    reading_ = std::move(*reading);
    Control(SalonForm::Salon).SetRowCount(static_cast<int>(reading_.pcs.size()));
    SortResults(chosen);
    const auto& days = reading_.days;
    Control(SalonForm::OncekiGun).SetEnabled(!days.empty() && days.front() < day_);
    Control(SalonForm::SonrakiGun).SetEnabled(day_ < Today() || (!days.empty() && day_ < days.back()));
    ShowStatus();
}

void TSalonForm::SortResults(const std::optional<std::string>& chosen) {
    order_.resize(reading_.results.size());
    std::iota(order_.begin(), order_.end(), std::size_t{0});
    const auto before = [this](std::size_t a, std::size_t b) {
        const hall::RankedResult &x = reading_.results[a], &y = reading_.results[b];
        if (sortColumn_ == kWarningColumn) return x.candidateSeatedTwice > y.candidateSeatedTwice;
        if (sortColumn_ == kVerdictColumn)
            return std::tie(y.verdict.warning, x.verdict.text) < std::tie(x.verdict.warning, y.verdict.text);
        return hall::ComesBefore(static_cast<hall::ResultColumn>(sortColumn_), x, y);
    };
    // The ranking's own order stands among rows the column does not tell apart.
    std::ranges::stable_sort(order_,
                             [&](std::size_t a, std::size_t b) { return ascending_ ? before(a, b) : before(b, a); });
    const auto list = Control(SalonForm::Sonuclar);
    list.SetRowCount(static_cast<int>(order_.size()));
    const auto row = std::ranges::find_if(
        order_, [&](std::size_t place) { return chosen && ExamKey(reading_.results[place].line) == *chosen; });
    list.SelectRow(row == order_.end() ? -1 : static_cast<int>(row - order_.begin()));
}

void TSalonForm::ShowStatus() {
    std::string status = text::Utf8ToCp1254(platform::NarrowUtf8(folder_)).text + "   |   " +
                         std::to_string(reading_.pcs.size()) + " bilgisayar, " +
                         std::to_string(reading_.results.size()) + " kay\xFDt";
    if (!reading_.faults.empty()) {
        status += "   |   " + reading_.faults.front();
        if (reading_.faults.size() > 1)
            status += " (ve " + std::to_string(reading_.faults.size() - 1) + " dosya daha okunamad\xFD)";
    }
    if (!printStatus_.empty()) status += "   |   " + printStatus_;
    Control(SalonForm::Durum).SetText(status);
}

// A warning is a fault of the system's, with its reason: the supervisor may need it afterwards.
void TSalonForm::Say(const std::string& message, UINT icon) const {
    if (icon == MB_ICONWARNING) platform::Log("salon-fault", message);
    MessageBoxW(Handle(), platform::WidenCp1254(message).c_str(), kTitle, MB_OK | icon);
}

std::optional<std::string> TSalonForm::ChosenExam() const {
    const int row = Control(SalonForm::Sonuclar).SelectedRow();
    if (row < 0 || row >= static_cast<int>(order_.size())) return std::nullopt;
    return ExamKey(reading_.results[order_[row]].line);
}

void TSalonForm::KlasorSecClick(platform::EventArgs&) {
    const std::optional<std::wstring> chosen = platform::ChooseFolder(Handle(), folder_, kFolderDialogTitle);
    if (!chosen || *chosen == folder_) return;
    folder_ = *chosen;
    ShowReading(std::make_unique<HallReading>());  // the last folder's rows go at once
    ShowDay(day_);
}

void TSalonForm::OncekiGunClick(platform::EventArgs&) {
    const auto earlier = std::ranges::find_if(reading_.days.rbegin(), reading_.days.rend(),
                                              [this](const std::string& day) { return day < day_; });
    if (earlier != reading_.days.rend()) ShowDay(*earlier);
}

void TSalonForm::SonrakiGunClick(platform::EventArgs&) {
    const auto later = std::ranges::find_if(reading_.days, [this](const std::string& day) { return day > day_; });
    ShowDay(later != reading_.days.end() && *later < Today() ? *later : Today());
}

void TSalonForm::BugunClick(platform::EventArgs&) { ShowDay(Today()); }

void TSalonForm::TutanakAcClick(platform::EventArgs& args) {
    const int row = Control(SalonForm::Sonuclar).SelectedRow();
    if (row < 0) return Say("\xD6nce listeden bir kay\xFDt se\xE7in.", MB_ICONINFORMATION);
    args.item = row;
    SonuclarOpen(args);
}

void TSalonForm::SonuclarOpen(platform::EventArgs& args) {
    if (args.item < 0 || args.item >= static_cast<int>(order_.size())) return;
    const hall::ResultLine& line = reading_.results[order_[args.item]].line;
    if (line.document.empty()) return Say("Bu kayd\xFDn tutana\xF0\xFD yok.", MB_ICONINFORMATION);
    const std::wstring document = platform::InFolder(folder_, line.document);
    const auto opened =
        reinterpret_cast<INT_PTR>(ShellExecuteW(Handle(), L"open", document.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (opened <= 32)
        Say("Tutanak a\xE7\xFDlamad\xFD (" + platform::NarrowCp1254(document) +
                "): " + platform::SystemReason(GetLastError()),
            MB_ICONWARNING);
}

void TSalonForm::SonuclarColumnClick(platform::EventArgs& args) {
    if (args.item < 0 || args.item > kWarningColumn) return;
    ascending_ = args.item == sortColumn_ ? !ascending_ : true;
    sortColumn_ = args.item;
    Control(SalonForm::Sonuclar).ShowSortColumn(sortColumn_, ascending_);
    SortResults(ChosenExam());
}

void TSalonForm::DisaAktarClick(platform::EventArgs&) {
    std::wstring file = platform::WidenUtf8(day_ + "_Salon.csv");
    file.resize(MAX_PATH * 4, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Handle();
    dialog.lpstrFilter = L"Tutanak listesi (*.csv)\0*.csv\0";
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder_.c_str();
    dialog.lpstrDefExt = L"csv";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) return;
    file.resize(wcslen(file.c_str()));
    std::vector<hall::RankedResult> shown;
    for (const std::size_t place : order_) shown.push_back(reading_.results[place]);
    if (const DWORD error = platform::ReplaceWholeFile(file, file + L".yeni", hall::MergedRecordsFile(shown)))
        return Say("Liste yaz\xFDlamad\xFD (" + platform::NarrowCp1254(file) + "): " + platform::SystemReason(error),
                   MB_ICONWARNING);
    Say(std::to_string(shown.size()) + " kay\xFDt " + platform::NarrowCp1254(file) + " dosyas\xFDna yaz\xFDld\xFD.",
        MB_ICONINFORMATION);
}

void TSalonForm::YazdirClick(platform::EventArgs&) {
    if (reading_.results.empty()) return Say("Bu g\xFCn\xFCn hi\xE7 kayd\xFD yok.", MB_ICONINFORMATION);
    std::vector<hall::RankedResult> ranked = reading_.results;
    std::ranges::stable_sort(ranked, [](const hall::RankedResult& a, const hall::RankedResult& b) {
        return hall::ComesBefore(hall::ResultColumn::Rank, a, b);
    });
    printer_->Print(hall::ResultsSheet(ranked, settings_.board, Dotted(day_)), kListDocumentName, settings_.printer);
    printStatus_ =
        "Liste yaz\xFD"
        "c\xFDya g\xF6nderiliyor...";
    ShowStatus();
}

std::wstring TSalonForm::HallRows::CellText(int row, int column) const {
    const auto& pcs = form_.reading_.pcs;
    if (row < 0 || row >= static_cast<int>(pcs.size())) return {};
    const hall::HallRow& pc = pcs[row];
    switch (static_cast<HallColumn>(column)) {
    case HallColumn::Pc:
        return platform::WidenUtf8(pc.label);
    case HallColumn::Phase:
        return platform::WidenCp1254(pc.phase);
    case HallColumn::Candidate:
        return platform::WidenUtf8(pc.candidate);
    case HallColumn::TimeLeft:
        return platform::WidenUtf8(pc.timeLeft);
    case HallColumn::Words:
        return platform::WidenUtf8(pc.words);
    case HallColumn::Seen:
        return platform::WidenCp1254(pc.seen);
    case HallColumn::Problems:
        return platform::WidenCp1254(pc.problems);
    }
    return {};
}

std::optional<COLORREF> TSalonForm::HallRows::RowColour(int row) const {
    const auto& pcs = form_.reading_.pcs;
    if (row < 0 || row >= static_cast<int>(pcs.size())) return std::nullopt;
    return ToneColour(pcs[row].tone);
}

std::wstring TSalonForm::ResultRows::CellText(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(form_.order_.size())) return {};
    const hall::RankedResult& result = form_.reading_.results[form_.order_[row]];
    const hall::ResultLine& line = result.line;
    if (column == kVerdictColumn) return platform::WidenCp1254(result.verdict.text);
    if (column == kWarningColumn)
        return result.candidateSeatedTwice ? platform::WidenCp1254("Bu aday no ba\xFEka bir kay\xFDtta da var")
                                           : std::wstring();
    switch (static_cast<hall::ResultColumn>(column)) {
    case hall::ResultColumn::Rank:
        return result.rank ? Number(result.rank) : std::wstring(L"-");
    case hall::ResultColumn::CandidateNumber:
        return platform::WidenUtf8(line.candidateNumber);
    case hall::ResultColumn::FirstName:
        return platform::WidenUtf8(line.firstName);
    case hall::ResultColumn::Surname:
        return platform::WidenUtf8(line.surname);
    case hall::ResultColumn::Pc:
        return platform::WidenUtf8(line.pc);
    case hall::ResultColumn::Started:
        return platform::WidenUtf8(line.started);
    case hall::ResultColumn::Typed:
        return Number(line.typed);
    case hall::ResultColumn::Correct:
        return Number(line.correct);
    case hall::ResultColumn::Wrong:
        return Number(line.wrong);
    case hall::ResultColumn::Net:
        return Number(line.net);
    case hall::ResultColumn::Interruptions:
        return line.interruptions ? Number(line.interruptions) : std::wstring();
    }
    return {};
}

std::optional<COLORREF> TSalonForm::ResultRows::RowColour(int row) const {
    if (row < 0 || row >= static_cast<int>(form_.order_.size())) return std::nullopt;
    const hall::RankedResult& result = form_.reading_.results[form_.order_[row]];
    if (result.candidateSeatedTwice || result.verdict.warning) return ToneColour(hall::Tone::Alarm);
    return std::nullopt;
}

}  // namespace salon
