#include "settings/RecordsFolderCheck.h"

#include <windows.h>

#include "platform/Cp1254.h"
#include "platform/Files.h"
#include "platform/Log.h"
#include "platform/SystemReason.h"
#include "platform/pure/LongPaths.h"
#include "result/RecordArchive.h"

namespace settings {

namespace {

// Names of the check's own, which no record takes (a record's name starts with its date), nor another check running
// at the same time in the same folder.
std::string CheckName(const char* step) {
    return "PC1-deneme-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetCurrentThreadId()) + "-" +
           step + ".tmp";
}

constexpr char kNotChecked[] = "Klas\xF6r denetlenemedi";

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

RecordsFolderCheck::RecordsFolderCheck(HWND window, UINT message) : window_(window), message_(message) {}

void RecordsFolderCheck::Start(const std::string& folder) {
    latest_ = std::make_shared<Check>();
    checking_.emplace(
        [check = latest_, window = window_, message = message_](std::vector<std::string>& folders) {
            try {
                check->fault = RecordsFolderFault(folders.back());
            } catch (const std::exception&) {
                check->fault = Fault(kNotChecked, ERROR_NOT_ENOUGH_MEMORY);
            }
            if (check->fault)
                platform::Log("records-folder-fault",
                              platform::WidenUtf8(folders.back()) + L": " + platform::WidenCp1254(*check->fault));
            check->done.store(true, std::memory_order_release);
            PostMessageW(window, message, 0, 0);
        },
        platform::WorkerRules{.exitWaitMs = 0});
    checking_->Hand(folder);
}

RecordsFolderCheck::State RecordsFolderCheck::LatestState() const {
    if (!latest_) return State::NotStarted;
    return latest_->done.load(std::memory_order_acquire) ? State::Done : State::Running;
}

std::optional<std::string> RecordsFolderCheck::LatestFault() const {
    return LatestState() == State::Done ? latest_->fault : std::nullopt;
}

}  // namespace settings
