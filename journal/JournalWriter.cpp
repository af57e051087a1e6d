#include "journal/JournalWriter.h"

#include <stdexcept>

#include "journal/pure/JournalFormat.h"
#include "platform/Cp1254.h"
#include "platform/Log.h"
#include "platform/SystemReason.h"

namespace journal {

namespace {

// Events that come while the last flush is less than this ago wait for the rest of it, and go to the disk together;
// a flush waited for, or the writer's end, does not wait.
constexpr DWORD kFlushPeriodMs = 250;

using platform::OpenedFile;
using platform::UniqueFile;

// A drive's root keeps its backslash: "C:" alone is the drive's current folder.
std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    std::wstring folder = path.substr(0, slash);
    if (folder.empty() || folder.ends_with(L':')) folder += L'\\';
    return folder;
}

// A file's entry in its folder, made or renamed, reaches the disk with the folder, not with the file.
DWORD FlushFolder(const std::wstring& folder) {
    const UniqueFile handle = OpenedFile(CreateFileW(folder.c_str(), GENERIC_READ | GENERIC_WRITE,
                                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) return GetLastError();
    return FlushFileBuffers(handle.get()) ? ERROR_SUCCESS : GetLastError();
}

UniqueFile OpenForAppending(const std::wstring& path) {
    UniqueFile file = OpenedFile(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file && !SetFilePointerEx(file.get(), {}, nullptr, FILE_END)) file.Reset();
    return file;
}

std::string Failure(const std::wstring& path, DWORD error) {
    return "G\xFCnl\xFCk yaz\xFDlam\xFDyor: " + platform::SystemReason(error) + " (" + platform::NarrowCp1254(path) +
           ")";
}

[[noreturn]] void Throw(const std::wstring& path, DWORD error) {
    const std::string failure = Failure(path, error);
    platform::Log("journal-fault", failure);
    throw std::runtime_error(failure);
}

}  // namespace

JournalWriter::JournalWriter(std::wstring path, const Opening& opening)
    : path_(std::move(path)),
      log_(opening),
      worker_([this](std::vector<Event>& events) { Commit(events); }, {.pauseMs = kFlushPeriodMs}) {
    file_ = OpenedFile(CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) Throw(path_, GetLastError());
    DWORD error = platform::WriteAndFlush(file_.get(), EncodeHeader() + EncodeOpening(opening));
    if (!error) error = FlushFolder(FolderOf(path_));
    if (error) {
        file_.Reset();
        DeleteFileW(path_.c_str());
        Throw(path_, error);
    }
}

JournalWriter::JournalWriter(std::wstring path, const JournalState& state, std::uint64_t validBytes)
    : path_(std::move(path)),
      log_(state, validBytes),
      worker_([this](std::vector<Event>& events) { Commit(events); }, {.pauseMs = kFlushPeriodMs}) {
    DWORD error = CutAfter(validBytes);
    if (error) error = Rewrite(log_.Compacted());
    if (error) Throw(path_, error);
}

JournalWriter::~JournalWriter() = default;

void JournalWriter::Write(Event event) { worker_.Hand(std::move(event)); }

void JournalWriter::WriteNow(Event event) {
    Write(std::move(event));
    Flush();
}

void JournalWriter::Flush() { worker_.WaitDone(INFINITE); }

std::string JournalWriter::Problem() const {
    const std::scoped_lock lock(problemMutex_);
    return writeProblem_.empty() ? refusedProblem_ : writeProblem_;
}

void JournalWriter::Commit(const std::vector<Event>& events) {
    std::size_t refused = 0;
    const std::string frame = log_.Append(events, refused);
    DWORD error = ERROR_SUCCESS;
    const bool rewrite = rewriteDue_ || log_.CompactionDue();
    if (rewrite)
        error = Rewrite(log_.Compacted());
    else if (!frame.empty())
        error = platform::WriteAndFlush(file_.get(), frame);
    rewriteDue_ = error != ERROR_SUCCESS;

    const std::scoped_lock lock(problemMutex_);
    if (rewrite || !frame.empty()) {
        std::string now = error ? Failure(path_, error) : std::string();
        platform::LogFaultChange("journal", writeProblem_, now, path_);
        writeProblem_ = std::move(now);
    }
    if (refused) {
        refusedProblem_ = "S\xFDnav g\xFCnl\xFC\xF0\xFC, s\xFDras\xFD d\xFD\xFE\xFDnda gelen " +
                          std::to_string(refused) + " olay\xFD yazmad\xFD (" + platform::NarrowCp1254(path_) + ")";
        platform::Log("journal-fault", refusedProblem_);
    }
}

DWORD JournalWriter::CutAfter(std::uint64_t validBytes) {
    {
        const UniqueFile file = OpenedFile(CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        LARGE_INTEGER end{};
        end.QuadPart = static_cast<LONGLONG>(validBytes);
        if (!file || !SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(file.get()) ||
            !FlushFileBuffers(file.get()))
            return GetLastError();
    }
    file_ = OpenForAppending(path_);
    return file_ ? ERROR_SUCCESS : GetLastError();
}

// A file held open cannot be renamed over, so the journal is closed first and opened again after, whatever happened.
DWORD JournalWriter::Rewrite(std::string_view bytes) {
    const std::wstring temporary = path_ + L".tmp";
    if (const DWORD error = platform::WriteWholeFile(temporary, bytes, CREATE_ALWAYS)) return error;
    file_.Reset();
    DWORD error = ERROR_SUCCESS;
    if (!MoveFileExW(temporary.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
        DeleteFileW(temporary.c_str());
    }
    file_ = OpenForAppending(path_);
    if (!error && !file_) error = GetLastError();
    if (!error) error = FlushFolder(FolderOf(path_));
    return error;
}

}  // namespace journal
