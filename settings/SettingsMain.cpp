// PC1Ayar.exe, the installation's settings program: with /SIRA=<six different digits> it sets the supervisor's
// sequence and shows nothing, as the installer runs it silently; otherwise it shows its window. Its window starts it
// again with InstalledPrinters::kListingOption to list the printers.
#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "config/SequenceCheck.h"
#include "config/SettingsFile.h"
#include "platform/Log.h"
#include "settings/SettingsWindow.h"

namespace {

// What the program ends with, for the installer.
constexpr int kSaved = 0;
constexpr int kCancelled = 1;
constexpr int kSettingsFault = 2;
constexpr int kNotASequence = 4;
constexpr int kNotWritten = 5;

constexpr std::wstring_view kSequenceOption = L"/SIRA=";

std::vector<std::wstring> Arguments() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> given;
    for (int i = 1; i < count && arguments; ++i) given.emplace_back(arguments[i]);
    LocalFree(arguments);
    return given;
}

// The value of /SIRA= on the command line; a character outside ASCII stays a character no sequence has.
std::optional<std::string> SequenceOption(const std::vector<std::wstring>& arguments) {
    std::optional<std::string> sequence;
    for (const std::wstring_view argument : arguments) {
        if (argument.size() < kSequenceOption.size() ||
            CompareStringOrdinal(argument.data(), static_cast<int>(kSequenceOption.size()), kSequenceOption.data(),
                                 static_cast<int>(kSequenceOption.size()), TRUE) != CSTR_EQUAL)
            continue;
        sequence.emplace();
        for (const wchar_t c : argument.substr(kSequenceOption.size())) *sequence += c < 0x80 ? char(c) : '?';
    }
    return sequence;
}

int SetSequenceSilently(const std::string& sequence, const std::string& fileBytes) {
    if (!config::IsSequence(sequence)) {
        platform::Log("sequence-fault", "/SIRA= was not given six different digits");
        return kNotASequence;
    }
    const config::SequenceHash hash = config::HashSequence(sequence, config::IterationsForCheckTime());
    const config::SettingValue value{config::kSequenceKey, config::FormatSequenceHash(hash)};
    return config::WriteSettingsBytes(config::WithSettings(fileBytes, {&value, 1})) ? kNotWritten : kSaved;
}

int Run(const std::vector<std::wstring>& arguments) {
    const std::optional<std::string> sequence = SequenceOption(arguments);
    std::variant<std::string, config::SettingsError> bytes = config::ReadSettingsBytes();
    std::variant<config::Settings, config::SettingsError> settings =
        std::holds_alternative<std::string>(bytes) ? config::ParseSettings(std::get<std::string>(bytes))
                                                   : std::get<config::SettingsError>(bytes);
    config::LogSettings(settings);
    if (const auto* error = std::get_if<config::SettingsError>(&settings)) {
        if (!sequence) config::ShowSettingsError(*error);
        return kSettingsFault;
    }
    if (sequence) return SetSequenceSilently(*sequence, std::get<std::string>(bytes));

    settings::TAyarForm form(std::get<config::Settings>(settings), std::get<std::string>(std::move(bytes)));
    form.ShowModal();
    return form.Saved() ? kSaved : kCancelled;
}

}  // namespace

// The listing of the printers is a helper of the settings window's, not the settings program at work: it logs nothing.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::vector<std::wstring> arguments = Arguments();
    if (arguments.size() == 1 &&
        CompareStringOrdinal(arguments[0].c_str(), -1, settings::InstalledPrinters::kListingOption, -1, TRUE) ==
            CSTR_EQUAL)
        return settings::InstalledPrinters::WriteList();
    return platform::RunLogged("PC1Ayar", [&] { return Run(arguments); });
}
