#include "config/SettingsFile.h"

#include <windows.h>

#include <string>

#include "platform/Cp1254.h"
#include "platform/Files.h"
#include "platform/SystemReason.h"
#include "platform/pure/LongPaths.h"

namespace config {

namespace {

// A settings file holds a few short lines; anything this large is not one.
constexpr DWORD kMaxSettingsBytes = 64 * 1024;

constexpr char kUnreadable[] = "PC1.ini okunamad\xFD.";
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

}  // namespace

// In the long form, so that it opens in a folder of any length.
std::wstring SettingsPath() {
    const std::wstring program = platform::ProgramPath();
    return platform::LongForm(program.substr(0, program.find_last_of(L"\\/") + 1) + L"PC1.ini");
}

std::variant<std::string, SettingsError> ReadSettingsBytes() {
    const platform::UniqueFile file = platform::OpenedFile(CreateFileW(
        SettingsPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) return std::string();
        return SettingsError{0, kUnreadable};
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return SettingsError{0, kUnreadable};
    if (size.QuadPart > kMaxSettingsBytes) return SettingsError{0, kTooLarge};
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())
        return SettingsError{0, kUnreadable};
    return bytes;
}

std::variant<Settings, SettingsError> ReadSettingsFile() {
    std::variant<std::string, SettingsError> bytes = ReadSettingsBytes();
    if (auto* error = std::get_if<SettingsError>(&bytes)) return std::move(*error);
    return ParseSettings(std::get<std::string>(bytes));
}

// The new file is written whole beside the old one and then renamed over it.
std::optional<std::string> WriteSettingsBytes(std::string_view bytes) {
    const std::wstring path = SettingsPath(), written = path + L".yeni";
    DWORD error = ERROR_SUCCESS;
    {
        const platform::UniqueFile file = platform::OpenedFile(
            CreateFileW(written.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return platform::SystemReason(GetLastError());
        error = platform::WriteAndFlush(file.get(), bytes);
    }
    // Closed first: a file open without shared deletion cannot be deleted.
    if (error) {
        DeleteFileW(written.c_str());
        return platform::SystemReason(error);
    }
    if (!MoveFileExW(written.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
        DeleteFileW(written.c_str());
        return platform::SystemReason(error);
    }
    return std::nullopt;
}

void ShowSettingsError(const SettingsError& error) { ShowMessage(error.message + kHowToMend); }

void ShowNoSequence() { ShowMessage(kNoSequence); }

}  // namespace config
