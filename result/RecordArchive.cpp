#include "result/RecordArchive.h"

#include <windows.h>

#include "platform/Cp1254.h"
#include "platform/Files.h"
#include "platform/SystemReason.h"
#include "result/pure/RecordDocument.h"
#include "result/pure/RecordFileNames.h"
#include "result/pure/RecordsFile.h"

namespace result {

namespace {

// A Windows error code; ERROR_SUCCESS (0) when all went well.
using Error = DWORD;

// Records kept under one name before the archive gives up numbering them.
constexpr int kMaxCopies = 999;
// How long a writer waits for another to finish with the records file: 50 tries 20 ms apart.
constexpr int kOpenAttempts = 50;
constexpr DWORD kOpenRetryMilliseconds = 20;

using platform::UniqueFile;

std::wstring InFolder(const std::wstring& folder, std::string_view utf8Name) {
    const bool separated = folder.ends_with(L'\\') || folder.ends_with(L'/');
    return folder + (separated ? L"" : L"\\") + platform::WidenUtf8(utf8Name);
}

// Creates the folder and its missing parents. A level that cannot be created (a drive, a share's server) is left to
// the last step to report, when the folder itself is neither made nor found.
Error CreateFolder(const std::wstring& folder) {
    for (std::size_t slash = folder.find_first_of(L"\\/", 1); slash != std::wstring::npos;
         slash = folder.find_first_of(L"\\/", slash + 1)) {
        CreateDirectoryW(folder.substr(0, slash).c_str(), nullptr);
    }
    if (CreateDirectoryW(folder.c_str(), nullptr)) return ERROR_SUCCESS;
    const Error error = GetLastError();
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ERROR_SUCCESS : error;
}

// The document is written under a temporary name and then given its own, so that no record's name ever holds half a
// document; a name already taken, by an earlier record or by another writer at the same moment, is never
// overwritten: the record takes the next numbered name.
Error KeepDocument(const std::wstring& folder, const ExamRecord& record, std::string_view document,
                   std::string& keptName) {
    if (const Error error = CreateFolder(folder)) return error;
    wchar_t temporary[MAX_PATH];
    if (!GetTempFileNameW(folder.c_str(), L"PC1", 0, temporary)) return GetLastError();
    Error error = ERROR_SUCCESS;
    {
        const UniqueFile file = platform::OpenedFile(
            CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        error = file ? platform::WriteAndFlush(file.get(), document) : GetLastError();
    }
    for (int copy = 1; !error && copy <= kMaxCopies; ++copy) {
        const std::string name = RecordFileName(record, copy);
        if (MoveFileExW(temporary, InFolder(folder, name).c_str(), MOVEFILE_WRITE_THROUGH)) {
            keptName = name;
            return ERROR_SUCCESS;
        }
        error = GetLastError();
        const bool taken = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
        if (taken && copy < kMaxCopies) error = ERROR_SUCCESS;
    }
    DeleteFileW(temporary);
    return error;
}

// One writer at a time holds the records file (others may read it), so two records' lines never interleave; a writer
// that finds it held waits and tries again. The file starts with the byte-order mark and the header.
Error AppendLine(const std::wstring& path, std::string_view line) {
    UniqueFile file;
    for (int attempt = 1;; ++attempt) {
        file = platform::OpenedFile(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) break;
        const Error error = GetLastError();
        if ((error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) || attempt == kOpenAttempts) {
            return error;
        }
        Sleep(kOpenRetryMilliseconds);
    }
    LARGE_INTEGER end{};
    if (!SetFilePointerEx(file.get(), {}, &end, FILE_END)) return GetLastError();
    std::string bytes;
    if (end.QuadPart == 0) bytes = std::string(kUtf8ByteOrderMark) + RecordsFileHeader();
    bytes += line;
    return platform::WriteAndFlush(file.get(), bytes);
}

std::string FolderAndReason(const std::wstring& path, Error error) {
    return platform::NarrowCp1254(path) + ": " + platform::SystemReason(error);
}

// A folder given relative to the current one is named in full, so that the supervisor reads where records went.
std::wstring FullPath(const std::wstring& folder) {
    if (folder.empty()) return folder;
    std::wstring full(GetFullPathNameW(folder.c_str(), 0, nullptr, nullptr), L'\0');
    if (full.empty()) return folder;
    full.resize(GetFullPathNameW(folder.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    return full;
}

}  // namespace

RecordArchive::RecordArchive(std::string_view configuredFolder, std::wstring defaultFolder)
    : configuredFolder_(FullPath(platform::WidenUtf8(configuredFolder))), defaultFolder_(std::move(defaultFolder)) {}

KeptRecord RecordArchive::Keep(std::string_view templateRows, const ExamRecord& record) const {
    KeptRecord kept;
    const std::string document = RecordDocument(templateRows, record);
    std::wstring folder = configuredFolder_.empty() ? defaultFolder_ : configuredFolder_;
    std::string documentName;
    Error error = KeepDocument(folder, record, document, documentName);
    if (error && folder != defaultFolder_) {
        kept.note = "Tutanak klas\xF6r\xFCne ula\xFE\xFDlamad\xFD (" + FolderAndReason(folder, error) +
                    "); tutanak yerel klas\xF6re kaydedildi: " + platform::NarrowCp1254(defaultFolder_);
        folder = defaultFolder_;
        error = KeepDocument(folder, record, document, documentName);
    }
    if (error) {
        kept.error = "Tutanak kaydedilemedi (" + FolderAndReason(folder, error) + ").";
        return kept;
    }
    kept.documentPath = InFolder(folder, documentName);

    const std::wstring recordsFile = InFolder(folder, RecordsFileName(record.clockStarted, record.computerName));
    if (const Error appendError = AppendLine(recordsFile, RecordsFileLine(record, documentName))) {
        kept.error = "Kay\xFDt dosyas\xFDna sat\xFDr eklenemedi (" + FolderAndReason(recordsFile, appendError) + ").";
    } else {
        kept.recordsFilePath = recordsFile;
    }
    return kept;
}

std::wstring DefaultRecordsFolder() {
    wchar_t programData[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"ProgramData", programData, MAX_PATH);
    const std::wstring base = length > 0 && length < MAX_PATH ? programData : L"C:\\ProgramData";
    return base + L"\\PC1\\Tutanaklar";
}

}  // namespace result
