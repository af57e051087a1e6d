#include "settings/SettingsWindow.h"

#include <optional>
#include <variant>

#include "config/SequenceCheck.h"
#include "config/SettingsFile.h"
#include "platform/Cp1254.h"
#include "text/Cp1254Unicode.h"

namespace settings {

namespace {

using platform::Event;
using platform::EventWiring;
using Self = TAyarForm;

const EventWiring<Self> kEventWiring[] = {
    {AyarForm::Kaydet, Event::Click, &Self::KaydetClick},
    {AyarForm::Vazgec, Event::Click, &Self::VazgecClick},
};

constexpr char kSequenceSet[] = "Bir s\xFDra belirlenmi\xFE: bo\xFE b\xFDrak\xFDl\xFDrsa o kal\xFDr.";
constexpr char kNoSequence[] = "Hen\xFCz bir s\xFDra belirlenmedi; PC1 s\xFDnav ba\xFElatmaz.";
constexpr char kNotWritten[] = "PC1.ini yaz\xFDlamad\xFD: ";

std::string PrinterText(const config::Settings& settings) {
    switch (settings.printer.kind) {
    case config::PrinterChoice::Kind::None:
        return "yok";
    case config::PrinterChoice::Kind::Named:
        return text::Utf8ToCp1254(settings.printer.name).text;
    default:
        return {};
    }
}

}  // namespace

TAyarForm::TAyarForm(const config::Settings& settings, std::string fileBytes)
    : FormOf(kEventWiring, AyarFormLayout()),
      fileBytes_(std::move(fileBytes)),
      sequenceSet_(settings.sequence.has_value()) {
    Build();
    for (const auto edit : {AyarForm::Sira, AyarForm::SiraTekrar})
        SendMessageW(Control(edit).Handle(), EM_SETLIMITTEXT, 6, 0);
    Control(AyarForm::SiraDurum).SetText(sequenceSet_ ? kSequenceSet : kNoSequence);
    fields_ = {
        {AyarForm::KurulBaskani, config::kChairKey, settings.board.chair},
        {AyarForm::Uye1, config::kFirstMemberKey, settings.board.firstMember},
        {AyarForm::Uye2, config::kSecondMemberKey, settings.board.secondMember},
        {AyarForm::Yazici, config::kPrinterKey, PrinterText(settings)},
        {AyarForm::TutanakKlasoru, config::kRecordsFolderKey, text::Utf8ToCp1254(settings.recordsFolder).text},
    };
    for (const Field& field : fields_) Control(field.control).SetText(field.shown);
    CentreClientArea(kAyarFormClientSize);
}

void TAyarForm::Warn(const std::string& message) const {
    MessageBoxW(Handle(), platform::WidenCp1254(message).c_str(), L"PC1 Ayarlar\x0131", MB_OK | MB_ICONWARNING);
}

// A new sequence is hashed with as many iterations as take about a quarter of a second on this computer.
void TAyarForm::KaydetClick(platform::EventArgs&) {
    const std::string sequence = Control(AyarForm::Sira).Text();
    if (const auto fault = config::SequenceEntryFault(sequence, Control(AyarForm::SiraTekrar).Text(), sequenceSet_)) {
        Warn(*fault);
        SetFocus(Control(AyarForm::Sira).Handle());
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
    // What PC1 would refuse at its start (a records folder too long for Windows) is never written.
    const std::string updated = config::WithSettings(fileBytes_, values);
    if (const auto parsed = config::ParseSettings(updated);
        const auto* fault = std::get_if<config::SettingsError>(&parsed)) {
        Warn(fault->message);
        return;
    }
    if (const auto reason = config::WriteSettingsBytes(updated)) {
        Warn(kNotWritten + *reason);
        return;
    }
    saved_ = true;
    Close();
}

void TAyarForm::VazgecClick(platform::EventArgs&) { Close(); }

}  // namespace settings
