#include "result/RecordArchive.h"

#include <windows.h>

#include <atomic>

#include "platform/Cp1254.h"
#include "platform/Files.h"
#include "platform/SystemReason.h"
#include "platform/pure/LongPaths.h"
#include "result/pure/RecordDocument.h"
#include "result/pure/RecordFileNames.h"
#include "result/pure/RecordsFile.h"

namespace result {

namespace {

// A Windows error code; ERROR_SUCCESS (0) when all went well.
using Error = DWORD;

// Temporary names tried, each taken by another writer, before the archive gives up.
constexpr int kTemporaryNameAttempts = 100;
// How long a writer waits for another to finish with the records file: 50 tries 20 ms apart.
constexpr int kOpenAttempts = 50;
constexpr DWORD kOpenRetryMilliseconds = 20;
// Far beyond any record (5,000 typed words make some hundred KB) and any day's records file of one computer.
constexpr ULONGLONG kMaxDocumentBytes = 16 << 20, kMaxRecordsFileBytes = 64 << 20;

// Paths are kept, and shown to the supervisor, in their usual form; they reach Windows in their long form
// (platform::LongForm), which a folder longer than MAX_PATH needs.
using platform::CreateFolder;
using platform::InFolder;
using platform::LongForm;
using platform::UniqueFile;

// The process and a count tell apart the writers of one computer; those of several computers sharing a folder are
// told apart when the file is made, since a name that any file has already is never taken.
std::string TemporaryName() {
    static std::atomic<unsigned> count{0};
    return "PC1-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(count++) + ".tmp";
}

// Writes the document under a name of the program's own that no file in the folder has: GetTempFileNameW does the
// same only in a folder shorter than MAX_PATH - 14 characters. `temporary` is the name it took.
Error WriteTemporary(const std::wstring& folder, std::string_view document, std::wstring& temporary) {
    for (int attempt = 1;; ++attempt) {
        const std::wstring path = InFolder(folder, TemporaryName());
        const Error error = platform::WriteWholeFile(LongForm(path), document, CREATE_NEW);
        if (!error) temporary = path;
        if (error != ERROR_FILE_EXISTS || attempt == kTemporaryNameAttempts) return error;
    }
}

// The document is written under a temporary name and then given its own, so that no record's name ever holds half a
// document; a name already taken, by an earlier record or by another writer at the same moment, is never
// overwritten: the record takes the next numbered name.
Error KeepDocument(const std::wstring& folder, const ExamRecord& record, std::string_view document,
                   std::string& keptName) {
    if (const Error error = CreateFolder(folder)) return error;
    std::wstring temporary;
    Error error = WriteTemporary(folder, document, temporary);
    if (error) return error;
    const std::wstring longTemporary = LongForm(temporary);
    for (int copy = 1; !error && copy <= kMaxCopyNumber; ++copy) {
        const std::string name = RecordFileName(record, copy);
        if (MoveFileExW(longTemporary.c_str(), LongForm(InFolder(folder, name)).c_str(), MOVEFILE_WRITE_THROUGH)) {
            keptName = name;
            return ERROR_SUCCESS;
        }
        error = GetLastError();
        const bool taken = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
        if (taken && copy < kMaxCopyNumber) error = ERROR_SUCCESS;
    }
    DeleteFileW(longTemporary.c_str());
    return error;
}

// The exam's document in the folder, when it is there already: the exam kept again after the PC stopped on the way.
// Its document took the first of the record's names that no file had, so the names are read in order until one names
// no file; a document of another exam under the same names lacks this exam's id. Empty when it is not found, and for
// a record without an exam id.
std::string KeptDocumentName(const std::wstring& folder, const ExamRecord& record) {
    if (record.examId.empty()) return {};
    const std::string examIdGroup = ExamIdGroup(record.examId);
    for (int copy = 1; copy <= kMaxCopyNumber; ++copy) {
        const std::string name = RecordFileName(record, copy);
        const platform::WholeFile file = platform::ReadWholeFile(LongForm(InFolder(folder, name)), kMaxDocumentBytes);
        const bool there = file.error == ERROR_SUCCESS || file.error == ERROR_SHARING_VIOLATION ||
                           file.error == ERROR_ACCESS_DENIED || file.error == ERROR_LOCK_VIOLATION;
        if (!there) return {};
        if (file.bytes.find(examIdGroup) != std::string::npos) return name;
    }
    return {};
}

std::string FolderAndReason(const std::wstring& path, Error error) {
    return platform::NarrowCp1254(path) + ": " + platform::SystemReason(error);
}

// A folder given relative to the current one is named in full, so that the supervisor reads where records went and
// the long form can be made.
std::wstring FullFolder(std::string_view utf8Folder) {
    return utf8Folder.empty() ? std::wstring() : platform::FullPath(platform::WidenUtf8(utf8Folder));
}

}  // namespace

RecordArchive::RecordArchive(std::string_view configuredFolder, std::wstring defaultFolder)
    : configuredFolder_(FullFolder(configuredFolder)), defaultFolder_(std::move(defaultFolder)) {}

// A record kept again (the PC stopped between its document and its line, or after both) finds its document in the
// configured folder or the default one, where an earlier start may have sent it, and adds only what is missing.
KeptRecord RecordArchive::Keep(std::string_view templateRows, const ExamRecord& record) const {
    KeptRecord kept;
    std::wstring folder = configuredFolder_.empty() ? defaultFolder_ : configuredFolder_;
    std::string documentName = KeptDocumentName(folder, record);
    if (documentName.empty() && folder != defaultFolder_) {
        documentName = KeptDocumentName(defaultFolder_, record);
        if (!documentName.empty()) folder = defaultFolder_;
    }
    if (documentName.empty()) {
        const std::string document = RecordDocument(templateRows, record);
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
    }
    kept.documentPath = InFolder(folder, documentName);

    const std::wstring recordsFile = InFolder(folder, RecordsFileName(record.clockStarted, record.computerName));
    if (const Error lineError = AddRecordsFileLine(recordsFile, record, documentName)) {
        kept.error = "Kay\xFDt dosyas\xFDna sat\xFDr eklenemedi (" + FolderAndReason(recordsFile, lineError) + ").";
    } else {
        kept.recordsFilePath = recordsFile;
    }
    return kept;
}

// One writer at a time holds the records file (others may read it), so two records' lines never interleave; a writer
// that finds it held waits and tries again. What it appends depends on what the file holds (RecordsFileAddition),
// read while it is held.
Error AddRecordsFileLine(const std::wstring& path, const ExamRecord& record, std::string_view documentName) {
    UniqueFile file;
    for (int attempt = 1;; ++attempt) {
        file = platform::OpenedFile(CreateFileW(LongForm(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) break;
        const Error error = GetLastError();
        if ((error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) || attempt == kOpenAttempts) {
            return error;
        }
        Sleep(kOpenRetryMilliseconds);
    }
    const platform::WholeFile existing = platform::ReadWholeFile(file.get(), kMaxRecordsFileBytes);
    if (existing.error) return existing.error;
    if (existing.size > kMaxRecordsFileBytes) return ERROR_FILE_TOO_LARGE;
    const std::string addition = RecordsFileAddition(existing.bytes, record, documentName);
    if (addition.empty()) return ERROR_SUCCESS;
    LARGE_INTEGER end{};
    if (!SetFilePointerEx(file.get(), {}, &end, FILE_END)) return GetLastError();
    return platform::WriteAndFlush(file.get(), addition);
}

std::wstring DefaultRecordsFolder() { return platform::ProgramDataFolder() + L"\\PC1\\Tutanaklar"; }

}  // namespace result
