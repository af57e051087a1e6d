#include <optional>
#include <variant>

#include "config/SettingsFile.h"
#include "exam/ExamWindow.h"
#include "exam/KeyboardGuard.h"
#include "hall/StateWriter.h"
#include "journal/JournalFiles.h"
#include "platform/Cp1254.h"
#include "platform/ErrorHandler.h"
#include "platform/Log.h"
#include "platform/MessageLoop.h"
#include "platform/OutsideMessages.h"
#include "result/RecordArchive.h"

namespace {

constexpr int kSettingsFaultExitCode = 2;
constexpr int kNoSequenceExitCode = 3;

// A taskbar button shows the text of the window it stands for. The exam window is the only window of the program
// with a button of its own, since it owns every other window, so it carries the application title as its window
// text; having no caption bar, it shows its designed caption nowhere else.
void SetApplicationTitle(exam::TSinavForm& sinavForm) {
    SetWindowTextW(sinavForm.Handle(), platform::WidenCp1254(exam::TSinavForm::kApplicationTitle).c_str());
}

// The hall's console reads every PC's state from the records folder they share.
std::wstring HallFolder(const config::Settings& settings) {
    return hall::HallFolderIn(settings.recordsFolder.empty() ? result::DefaultRecordsFolder()
                                                             : platform::WidenUtf8(settings.recordsFolder));
}

int Run() {
    // Outside the try block, so that the exam window is still there when an error of the start-up is reported:
    // the error handler closes it, which ends the program.
    std::optional<exam::TSinavForm> sinavForm;
    try {
        // A fault in the settings is the supervisor's to mend before any candidate sits down.
        std::variant<config::Settings, config::SettingsError> settings = config::ReadSettingsFile();
        config::LogSettings(settings);
        if (const auto* error = std::get_if<config::SettingsError>(&settings)) {
            config::ShowSettingsError(*error);
            return kSettingsFaultExitCode;
        }
        // An exam that no one could stop never starts.
        if (!std::get<config::Settings>(settings).sequence) {
            config::ShowNoSequence();
            return kNoSequenceExitCode;
        }
        // What other programs post to the program's windows is judged from the first one on.
        const platform::QueuedMessageGuard queuedMessages(&platform::AcceptsQueued);
        exam::KeyboardGuard keyboardGuard;
        // The exam window's controls are made while the first entry dialog waits for its candidate, so that
        // the dialog is on screen sooner.
        std::wstring hallFolder = HallFolder(std::get<config::Settings>(settings));
        sinavForm.emplace(exam::TSinavForm::Controls::DuringFirstEntry, exam::TSinavForm::KeySources::KeyboardOnly,
                          std::get<config::Settings>(std::move(settings)), journal::JournalFolder(),
                          std::move(hallFolder));
        SetApplicationTitle(*sinavForm);
        sinavForm->FormCreate();  // returns once the first candidate has been entered
        keyboardGuard.RequireInstalled();

        return platform::RunMessageLoop();
    } catch (const std::exception& error) {
        platform::ReportError(error);
        return 1;
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return platform::RunLogged("PC1", Run); }
