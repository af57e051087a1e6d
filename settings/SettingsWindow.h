// The settings program's window: the supervisor's sequence typed twice, the board's names, the printer chosen from
// those Windows knows and the records folder checked where it is chosen, written to PC1.ini beside the program.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/pure/Settings.h"
#include "platform/Form.h"
#include "result/RecordPrinter.h"
#include "settings/InstalledPrinters.h"
#include "settings/RecordsFolderCheck.h"
#include "settings/SettingsWindowLayout.h"

namespace settings {

class TAyarForm : public platform::FormOf<TAyarForm> {
public:
    // `settings` as PC1.ini holds them, and the file's bytes, which saving rewrites key by key.
    TAyarForm(const config::Settings& settings, std::string fileBytes);

    void KaydetClick(platform::EventArgs& args);
    void VazgecClick(platform::EventArgs& args);
    void KlasorSecClick(platform::EventArgs& args);
    void TutanakKlasoruChange(platform::EventArgs& args);
    void OrnekYazdirClick(platform::EventArgs& args);
    bool Saved() const { return saved_; }

    static constexpr UINT kPrintersListedMessage = WM_APP + 1;
    static constexpr UINT kSamplePrintedMessage = WM_APP + 2;
    static constexpr UINT kFolderCheckedMessage = WM_APP + 3;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::optional<LRESULT> FilterControlMessage(int control, HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam) override;

private:
    // A field as it was shown: only a field the supervisor changed is written, so that a value the window cannot
    // show (a folder name outside Windows-1254) survives.
    struct Field {
        Id control;
        std::string_view key;
        std::string shown;  // Windows-1254
    };

    void Warn(const std::string& message) const;
    bool Ask(const std::string& question) const;
    // Starts checking the folder in the field; the window says so until the outcome shows beside it.
    void CheckFolder();
    void ShowFolderCheck();
    // Saves once the folder in the field is checked, waiting for its check's answer if need be.
    void Save();
    void ShowPrinters(const std::vector<std::wstring>& listed);
    // The printer chosen, as the settings file holds it.
    config::PrinterChoice ChosenPrinter() const;

    std::string fileBytes_;
    bool sequenceSet_;
    std::vector<Field> fields_;
    config::PrinterChoice shownPrinter_;
    std::vector<std::wstring> printerNames_;  // the list's items after its two fixed ones
    std::optional<InstalledPrinters> printers_;
    std::optional<result::RecordPrinter> samplePrinter_;
    std::optional<RecordsFolderCheck> folderCheck_;
    bool saveWhenChecked_ = false;
    bool saved_ = false;
};

}  // namespace settings
