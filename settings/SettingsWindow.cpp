#include "settings/SettingsWindow.h"

#include <algorithm>
#include <optional>
#include <variant>

#include "config/SequenceCheck.h"
#include "config/SettingsFile.h"
#include "platform/Cp1254.h"
#include "platform/FolderDialog.h"
#include "settings/RecordsFolderCheck.h"
#include "settings/SampleRecord.h"
#include "text/Cp1254Unicode.h"

namespace settings {

namespace {

constexpr wchar_t kFolderDialogTitle[] = L"Tutanak klas\x00F6r\x00FC";

using platform::Event;
using platform::EventWiring;
using Self = TAyarForm;

const EventWiring<Self> kEventWiring[] = {
    {AyarForm::Kaydet, Event::Click, &Self::KaydetClick},
    {AyarForm::Vazgec, Event::Click, &Self::VazgecClick},
    {AyarForm::KlasorSec, Event::Click, &Self::KlasorSecClick},
    {AyarForm::TutanakKlasoru, Event::Change, &Self::TutanakKlasoruChange},
    {AyarForm::OrnekYazdir, Event::Click, &Self::OrnekYazdirClick},
};

constexpr char kSequenceSet[] = "Bir s\xFDra belirlenmi\xFE: bo\xFE b\xFDrak\xFDl\xFDrsa o kal\xFDr.";
constexpr char kNoSequence[] = "Hen\xFCz bir s\xFDra belirlenmedi; PC1 s\xFDnav ba\xFElatmaz.";
constexpr char kSaveAnyway[] = "PC1 bu klas\xF6re tutanak kaydedemez:\n\n";
constexpr char kSaveAnywayQuestion[] =
    "\n\nBir payla\xFE\xFDm \xFEu an kapal\xFD olabilir; PC1 o zaman tutana\xF0\xFD yerel klas\xF6re kaydeder. "
    "Yine de kaydedilsin mi?";
constexpr char kSamplePrinting[] =
    "\xD6rnek tutanak yaz\xFD"
    "c\xFDya g\xF6nderiliyor...";

// The list's two fixed items, before the printers Windows knows.
constexpr int kDefaultItem = 0, kNoneItem = 1, kFirstPrinterItem = 2;
const wchar_t kDefaultPrinterItem[] =
    L"Windows'un varsay\x0131lan yaz\x0131"
    L"c\x0131s\x0131";
const wchar_t kNoPrinterItem[] = L"Yazd\x0131rma";

}  // namespace

TAyarForm::TAyarForm(const config::Settings& settings, std::string fileBytes)
    : FormOf(kEventWiring, AyarFormLayout()),
      fileBytes_(std::move(fileBytes)),
      sequenceSet_(settings.sequence.has_value()),
      shownPrinter_(settings.printer) {
    Build();
    folderCheck_.emplace(Handle(), kFolderCheckedMessage);
    for (const auto edit : {AyarForm::Sira, AyarForm::SiraTekrar})
        SendMessageW(Control(edit).Handle(), EM_SETLIMITTEXT, 6, 0);
    Control(AyarForm::SiraDurum).SetText(sequenceSet_ ? kSequenceSet : kNoSequence);
    fields_ = {
        {AyarForm::KurulBaskani, config::kChairKey, settings.board.chair},
        {AyarForm::Uye1, config::kFirstMemberKey, settings.board.firstMember},
        {AyarForm::Uye2, config::kSecondMemberKey, settings.board.secondMember},
        {AyarForm::TutanakKlasoru, config::kRecordsFolderKey, text::Utf8ToCp1254(settings.recordsFolder).text},
    };
    for (const Field& field : fields_) Control(field.control).SetText(field.shown);
    // Until the spooler answers, the list offers the fixed choices and the printer the file names.
    ShowPrinters({});
    printers_.emplace(Handle(), kPrintersListedMessage);
    samplePrinter_.emplace(Handle(), kSamplePrintedMessage);
    CentreClientArea(kAyarFormClientSize);
}

LRESULT TAyarForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kPrintersListedMessage:
        if (auto listed = printers_->Take()) ShowPrinters(*listed);
        return 0;
    case kSamplePrintedMessage:
        for (const auto& finished : samplePrinter_->TakeFinished())
            Control(AyarForm::YaziciDurum).SetText(result::PrintOutcomeText(finished.outcome));
        return 0;
    case kFolderCheckedMessage:
        ShowFolderCheck();
        if (saveWhenChecked_ && folderCheck_->LatestState() == RecordsFolderCheck::State::Done) {
            saveWhenChecked_ = false;
            Save();
        }
        return 0;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

// The folder is checked when the supervisor leaves its field, as after pasting a path into it; again after a fault,
// since a share may be up by now.
std::optional<LRESULT> TAyarForm::FilterControlMessage(int control, HWND, UINT message, WPARAM, LPARAM) {
    if (control != AyarForm::TutanakKlasoru.index || message != WM_KILLFOCUS) return std::nullopt;
    if (folderCheck_->LatestState() == RecordsFolderCheck::State::NotStarted || folderCheck_->LatestFault())
        CheckFolder();
    return std::nullopt;
}

// The printer the file names stays a choice even when Windows does not list it (the spooler has not answered, or the
// printer is gone): the supervisor sees what is set, and saving keeps it.
void TAyarForm::ShowPrinters(const std::vector<std::wstring>& listed) {
    const config::PrinterChoice chosen = printerNames_.empty() && listed.empty() ? shownPrinter_ : ChosenPrinter();
    printerNames_ = listed;
    if (chosen.kind == config::PrinterChoice::Kind::Named) {
        const std::wstring name = platform::WidenUtf8(chosen.name);
        if (std::find(printerNames_.begin(), printerNames_.end(), name) == printerNames_.end())
            printerNames_.push_back(name);
    }
    std::vector<std::wstring> items{kDefaultPrinterItem, kNoPrinterItem};
    items.insert(items.end(), printerNames_.begin(), printerNames_.end());
    const auto list = Control(AyarForm::Yazici);
    list.SetItems(items);
    int selected = chosen.kind == config::PrinterChoice::Kind::None ? kNoneItem : kDefaultItem;
    if (chosen.kind == config::PrinterChoice::Kind::Named) {
        const std::wstring name = platform::WidenUtf8(chosen.name);
        selected = kFirstPrinterItem + static_cast<int>(std::find(printerNames_.begin(), printerNames_.end(), name) -
                                                        printerNames_.begin());
    }
    list.Select(selected);
}

config::PrinterChoice TAyarForm::ChosenPrinter() const {
    const int selected = Control(AyarForm::Yazici).Selected();
    if (selected == kNoneItem) return {config::PrinterChoice::Kind::None, {}};
    if (selected >= kFirstPrinterItem && selected - kFirstPrinterItem < static_cast<int>(printerNames_.size()))
        return {config::PrinterChoice::Kind::Named, platform::NarrowUtf8(printerNames_[selected - kFirstPrinterItem])};
    return {};
}

void TAyarForm::CheckFolder() {
    folderCheck_->Start(text::Cp1254ToUtf8(Control(AyarForm::TutanakKlasoru).Text()));
    ShowFolderCheck();
}

void TAyarForm::ShowFolderCheck() {
    using State = RecordsFolderCheck::State;
    const State state = folderCheck_->LatestState();
    const std::optional<std::string> fault = folderCheck_->LatestFault();
    Control(AyarForm::KlasorDenetleniyor).SetVisible(state == State::Running);
    Control(AyarForm::KlasorUygun).SetVisible(state == State::Done && !fault);
    Control(AyarForm::KlasorHata).SetText(fault.value_or(""));
    Control(AyarForm::KlasorHata).SetVisible(fault.has_value());
}

void TAyarForm::Warn(const std::string& message) const {
    MessageBoxW(Handle(), platform::WidenCp1254(message).c_str(), L"PC1 Ayarlar\x0131", MB_OK | MB_ICONWARNING);
}

bool TAyarForm::Ask(const std::string& question) const {
    return MessageBoxW(Handle(), platform::WidenCp1254(question).c_str(), L"PC1 Ayarlar\x0131",
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void TAyarForm::KaydetClick(platform::EventArgs&) { Save(); }

// A new sequence is hashed with as many iterations as take about a quarter of a second on this computer.
void TAyarForm::Save() {
    const std::string sequence = Control(AyarForm::Sira).Text();
    if (const auto fault = config::SequenceEntryFault(sequence, Control(AyarForm::SiraTekrar).Text(), sequenceSet_)) {
        Warn(*fault);
        SetFocus(Control(AyarForm::Sira).Handle());
        return;
    }
    if (folderCheck_->LatestState() == RecordsFolderCheck::State::NotStarted) CheckFolder();
    if (folderCheck_->LatestState() == RecordsFolderCheck::State::Running) {
        saveWhenChecked_ = true;
        return;
    }
    // A share may be down just now: the supervisor may keep it, and PC1 then keeps records in its own folder.
    if (const auto fault = folderCheck_->LatestFault(); fault && !Ask(kSaveAnyway + *fault + kSaveAnywayQuestion)) {
        SetFocus(Control(AyarForm::TutanakKlasoru).Handle());
        return;
    }
    std::vector<config::SettingValue> values;
    if (!sequence.empty()) {
        const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        values.push_back({config::kSequenceKey, config::FormatSequenceHash(
                                                    config::HashSequence(sequence, config::IterationsForCheckTime()))});
        SetCursor(previous);
    }
    for (const Field& field : fields_) {
        const std::string typed = Control(field.control).Text();
        if (typed != field.shown) values.push_back({field.key, text::Cp1254ToUtf8(typed)});
    }
    if (const config::PrinterChoice printer = ChosenPrinter(); printer != shownPrinter_) {
        using Kind = config::PrinterChoice::Kind;
        values.push_back({config::kPrinterKey, printer.kind == Kind::None    ? std::string("yok")
                                               : printer.kind == Kind::Named ? printer.name
                                                                             : std::string()});
    }
    // What PC1 would refuse at its start (a records folder too long for Windows) is never written.
    const std::string updated = config::WithSettings(fileBytes_, values);
    if (const auto parsed = config::ParseSettings(updated);
        const auto* fault = std::get_if<config::SettingsError>(&parsed)) {
        Warn(fault->message);
        return;
    }
    if (const auto fault = config::WriteSettingsBytes(updated)) {
        Warn(fault->message);
        return;
    }
    saved_ = true;
    Close();
}

void TAyarForm::VazgecClick(platform::EventArgs&) { Close(); }

void TAyarForm::KlasorSecClick(platform::EventArgs&) {
    const std::wstring typed = platform::WidenCp1254(Control(AyarForm::TutanakKlasoru).Text());
    const std::optional<std::wstring> chosen = platform::ChooseFolder(Handle(), typed, kFolderDialogTitle);
    if (!chosen) return;
    Control(AyarForm::TutanakKlasoru).SetText(platform::NarrowCp1254(*chosen));
    CheckFolder();
}

// A folder typed anew is unchecked until the supervisor leaves the field; a save that waited for the check of the
// folder before waits for the supervisor again.
void TAyarForm::TutanakKlasoruChange(platform::EventArgs&) {
    folderCheck_->Forget();
    saveWhenChecked_ = false;
    ShowFolderCheck();
}

// Printed the way an exam's record is, on the printer chosen now (saved or not), with the names typed now.
void TAyarForm::OrnekYazdirClick(platform::EventArgs&) {
    const config::ExamBoard board{Control(AyarForm::KurulBaskani).Text(), Control(AyarForm::Uye1).Text(),
                                  Control(AyarForm::Uye2).Text()};
    Control(AyarForm::YaziciDurum).SetText(kSamplePrinting);
    samplePrinter_->Print(SampleRecord(board), ChosenPrinter());
}

}  // namespace settings
