#include "config/SettingsFile.h"

#include <windows.h>

#include <string>

#include "platform/Cp1254.h"
#include "platform/Files.h"
#include "platform/Log.h"
#include "platform/SystemReason.h"
#include "platform/pure/LongPaths.h"

namespace config {

namespace {

// A settings file holds a few short lines; anything this large is not one.
constexpr DWORD kMaxSettingsBytes = 64 * 1024;

constexpr char kUnreadable[] = "PC1.ini okunamad\xFD.";
constexpr char kNotWritten[] = "PC1.ini yaz\xFDlamad\xFD: ";
constexpr char kTooLarge[] = "PC1.ini bir ayar dosyas\xFD olamayacak kadar b\xFCy\xFCk.";
constexpr char kHowToMend[] =
    "\r\n\r\nS\xFDnav ba\xFElamadan \xF6nce \"PC1 Ayarlar\xFD\" ile ya da Not Defteri ile d\xFCzeltin.";
constexpr char kNoSequence[] =
    "Bu kurulumda denetim s\xFDras\xFD belirlenmemi\xFE; s\xFDnav ba\xFElat\xFDlamaz.\r\n\r\n"
    "S\xFDnav sorumlusu Ba\xFElat men\xFCs\xFCnden \"PC1 Ayarlar\xFD\"n\xFD a\xE7\xFDp alt\xFD farkl\xFD "
    "rakamdan olu\xFE"
    "an denetim s\xFDras\xFDn\xFD belirlemelidir.";

void ShowMessage(const std::string& text) {
    MessageBoxW(nullptr, platform::WidenCp1254(text).c_str(), L"PC1",
                MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND);
}

// As the log shows it.
std::wstring UsualPath() { return platform::ProgramFolder() + L"PC1.ini"; }

}  // namespace

// In the long form, so that it opens in a folder of any length.
std::wstring SettingsPath() { return platform::LongForm(UsualPath()); }

std::variant<std::string, SettingsError> ReadSettingsBytes() {
    platform::WholeFile file = platform::ReadWholeFile(SettingsPath(), kMaxSettingsBytes);
    if (file.error == ERROR_FILE_NOT_FOUND) return std::string();
    if (file.error) return SettingsError{0, kUnreadable, platform::SystemReason(file.error)};
    if (file.size > kMaxSettingsBytes) return SettingsError{0, kTooLarge};
    return std::move(file.bytes);
}

std::variant<Settings, SettingsError> ReadSettingsFile() {
    std::variant<std::string, SettingsError> bytes = ReadSettingsBytes();
    if (auto* error = std::get_if<SettingsError>(&bytes)) return std::move(*error);
    return ParseSettings(std::get<std::string>(bytes));
}

std::optional<SettingsError> WriteSettingsBytes(std::string_view bytes) {
    const std::wstring path = SettingsPath();
    if (const DWORD error = platform::ReplaceWholeFile(path, path + L".yeni", bytes)) {
        const std::string reason = platform::SystemReason(error);
        platform::Log("settings-write-fault", UsualPath() + L": " + platform::WidenCp1254(kNotWritten + reason));
        return SettingsError{0, kNotWritten + reason, reason};
    }
    platform::Log("settings-written", UsualPath());
    return std::nullopt;
}

void LogSettings(const std::variant<Settings, SettingsError>& read) {
    const std::wstring path = UsualPath();
    if (const auto* error = std::get_if<SettingsError>(&read)) {
        platform::Log("settings-fault",
                      path + L": " + platform::WidenCp1254(error->message) +
                          (error->systemReason.empty() ? L"" : L" " + platform::WidenCp1254(error->systemReason)));
        return;
    }
    const Settings& settings = std::get<Settings>(read);
    using Kind = PrinterChoice::Kind;
    const std::wstring printer = settings.printer.kind == Kind::Named  ? platform::WidenUtf8(settings.printer.name)
                                 : settings.printer.kind == Kind::None ? L"none"
                                                                       : L"the Windows default";
    const std::wstring folder =
        settings.recordsFolder.empty() ? L"the default" : platform::WidenUtf8(settings.recordsFolder);
    platform::Log("settings", path + L": printer " + printer + L"; records folder " + folder +
                                  L"; supervisor's sequence " + (settings.sequence ? L"set" : L"not set"));
}

void ShowSettingsError(const SettingsError& error) { ShowMessage(error.message + kHowToMend); }

void ShowNoSequence() { ShowMessage(kNoSequence); }

}  // namespace config
