#include "settings/RecordsFolderCheck.h"

#include <windows.h>

#include "platform/Cp1254.h"
#include "platform/Files.h"
#include "platform/SystemReason.h"
#include "platform/Unique.h"
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

// The thread is never waited for: it holds its own share of its check, which outlives the window when a share answers
// late, and the process may end while it still waits.
void RecordsFolderCheck::Start(const std::string& folder) {
    latest_ = std::make_shared<Check>(window_, message_, folder);
    auto given = std::make_unique<std::shared_ptr<Check>>(latest_);
    const platform::Unique<HANDLE, CloseHandle> thread(CreateThread(nullptr, 0, CheckThread, given.get(), 0, nullptr));
    if (thread) {
        given.release();  // the thread's now
        return;
    }
    latest_->fault = Fault(kNotChecked, GetLastError());
    latest_->done = true;
    PostMessageW(window_, message_, 0, 0);
}

DWORD WINAPI RecordsFolderCheck::CheckThread(void* parameter) {
    const std::unique_ptr<std::shared_ptr<Check>> given(static_cast<std::shared_ptr<Check>*>(parameter));
    Check& check = **given;
    try {
        check.fault = RecordsFolderFault(check.folder);
    } catch (const std::exception&) {
        check.fault = Fault(kNotChecked, ERROR_NOT_ENOUGH_MEMORY);
    }
    check.done.store(true, std::memory_order_release);
    PostMessageW(check.window, check.message, 0, 0);
    return 0;
}

RecordsFolderCheck::State RecordsFolderCheck::LatestState() const {
    if (!latest_) return State::NotStarted;
    return latest_->done.load(std::memory_order_acquire) ? State::Done : State::Running;
}

std::optional<std::string> RecordsFolderCheck::LatestFault() const {
    return LatestState() == State::Done ? latest_->fault : std::nullopt;
}

}  // namespace settings
