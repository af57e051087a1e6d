#include "journal/JournalFiles.h"

#include <windows.h>

#include <algorithm>

#include "platform/Files.h"
#include "platform/SystemReason.h"
#include "platform/pure/LongPaths.h"

namespace journal {

namespace {

constexpr std::wstring_view kExtension = L".pc1j";
constexpr int kMaxAsideCopies = 999;

bool Taken(DWORD error) { return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS; }

}  // namespace

// A folder that cannot be made is reported by the journal's writer, which cannot make its file there.
std::wstring JournalFolder() {
    const std::wstring folder = platform::ProgramDataFolder() + L"\\PC1\\Gunluk";
    platform::CreateFolder(folder);
    return folder;
}

std::vector<std::wstring> JournalsIn(const std::wstring& folder) {
    std::vector<platform::FoundFile> found;
    platform::ListFiles(folder, L"*" + std::wstring(kExtension), found);
    std::vector<std::wstring> journals;
    for (platform::FoundFile& file : found) journals.push_back(std::move(file.path));
    std::ranges::sort(journals);
    return journals;
}

JournalFileRead ReadJournalFile(const std::wstring& path) {
    const platform::WholeFile file = platform::ReadWholeFile(path, kMaxJournalBytes);
    JournalFileRead refused;
    if (file.error) {
        refused.held = file.error == ERROR_SHARING_VIOLATION || file.error == ERROR_LOCK_VIOLATION;
        refused.refusal = "G\xFCnl\xFCk okunamad\xFD: " + platform::SystemReason(file.error);
    } else if (file.size > kMaxJournalBytes) {
        refused.refusal = "G\xFCnl\xFCk bir s\xFDnav\xFDn g\xFCnl\xFC\xF0\xFC olamayacak kadar b\xFCy\xFCk (" +
                          std::to_string(file.size) + " bayt)";
    } else {
        return {ReadJournal(file.bytes)};
    }
    return refused;
}

std::wstring MoveAside(const std::wstring& path, std::wstring_view extension) {
    for (int copy = 1; copy <= kMaxAsideCopies; ++copy) {
        const std::wstring aside = path + (copy == 1 ? L"" : L"." + std::to_wstring(copy)) + std::wstring(extension);
        if (MoveFileExW(path.c_str(), aside.c_str(), MOVEFILE_WRITE_THROUGH)) return aside;
        if (!Taken(GetLastError())) break;
    }
    return {};
}

// The records folder may be a share, and longer than MAX_PATH.
bool MoveBesideRecord(const std::wstring& path, const std::wstring& documentPath) {
    std::wstring_view stem = documentPath;
    constexpr std::wstring_view kDocumentExtension = L".rtf";
    if (stem.size() > kDocumentExtension.size() &&
        std::ranges::equal(stem.substr(stem.size() - kDocumentExtension.size()), kDocumentExtension,
                           [](wchar_t a, wchar_t b) { return (a | 0x20) == b; })) {
        stem.remove_suffix(kDocumentExtension.size());
    }
    const std::wstring target = platform::FullPath(std::wstring(stem)) + std::wstring(kExtension);
    return MoveFileExW(platform::LongForm(platform::FullPath(path)).c_str(), platform::LongForm(target).c_str(),
                       MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH);
}

}  // namespace journal
