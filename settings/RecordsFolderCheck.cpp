#include "settings/RecordsFolderCheck.h"

#include <windows.h>

#include "platform/Cp1254.h"
#include "platform/Files.h"
#include "platform/SystemReason.h"
#include "platform/pure/LongPaths.h"
#include "result/RecordArchive.h"

namespace settings {

namespace {

// Names of the check's own, which no record takes: a record's name starts with its date.
std::string CheckName(const char* step) {
    return "PC1-deneme-" + std::to_string(GetCurrentProcessId()) + "-" + step + ".tmp";
}

std::string Fault(const char* what, DWORD error) { return what + std::string(": ") + platform::SystemReason(error); }

}  // namespace

std::optional<std::string> RecordsFolderFault(const std::string& folder) {
    const std::wstring full =
        folder.empty() ? result::DefaultRecordsFolder() : platform::FullPath(platform::WidenUtf8(folder));
    if (const DWORD error = platform::CreateFolder(full))
        return Fault("Klas\xF6r bulunamad\xFD ve olu\xFEturulamad\xFD", error);
    const std::wstring written = platform::LongForm(platform::InFolder(full, CheckName("yazma")));
    const std::wstring renamed = platform::LongForm(platform::InFolder(full, CheckName("ad")));
    if (const DWORD error = platform::WriteWholeFile(written, "PC1", CREATE_NEW))
        return Fault("Klas\xF6re dosya yaz\xFDlam\xFDyor", error);
    if (!MoveFileExW(written.c_str(), renamed.c_str(), MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(written.c_str());
        return Fault("Klas\xF6rdeki dosyan\xFDn ad\xFD de\xF0i\xFEtirilemiyor", error);
    }
    if (!DeleteFileW(renamed.c_str())) return Fault("Klas\xF6rdeki dosya silinemiyor", GetLastError());
    return std::nullopt;
}

}  // namespace settings
