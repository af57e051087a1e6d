// PC1Salon.exe, the hall's console: watches the records folder given on its command line, or else the one PC1.ini
// names, or else PC1's default one.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <variant>

#include "config/SettingsFile.h"
#include "platform/Cp1254.h"
#include "platform/ErrorHandler.h"
#include "platform/Log.h"
#include "result/RecordArchive.h"
#include "salon/SalonWindow.h"

namespace {

std::wstring FolderOnCommandLine() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring folder = arguments && count > 1 ? arguments[1] : L"";
    LocalFree(arguments);
    return folder;
}

int Run() {
    std::variant<config::Settings, config::SettingsError> settings = config::ReadSettingsFile();
    config::LogSettings(settings);
    if (const auto* error = std::get_if<config::SettingsError>(&settings)) {
        config::ShowSettingsError(*error);
        return 2;
    }
    const config::Settings& read = std::get<config::Settings>(settings);
    std::wstring folder = FolderOnCommandLine();
    if (folder.empty())
        folder = read.recordsFolder.empty() ? result::DefaultRecordsFolder() : platform::WidenUtf8(read.recordsFolder);
    platform::Log("watching", folder);
    salon::TSalonForm form(std::move(folder), read);
    form.ShowModal();
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return platform::RunLogged("PC1Salon", Run); }
