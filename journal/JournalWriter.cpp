#include "journal/JournalWriter.h"

#include <chrono>
#include <stdexcept>

#include "journal/pure/JournalFormat.h"
#include "platform/Cp1254.h"
#include "platform/SystemReason.h"

namespace journal {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kFlushPeriod = std::chrono::milliseconds(250);

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

[[noreturn]] void Throw(const std::wstring& path, DWORD error) { throw std::runtime_error(Failure(path, error)); }

}  // namespace

JournalWriter::JournalWriter(std::wstring path, const Opening& opening)
    : path_(std::move(path)), log_(opening), wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
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
    thread_ = std::thread([this] { Run(); });
}

JournalWriter::JournalWriter(std::wstring path, const JournalState& state, std::uint64_t validBytes)
    : path_(std::move(path)), log_(state, validBytes), wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    DWORD error = CutAfter(validBytes);
    if (error) error = Rewrite(log_.Compacted());
    if (error) Throw(path_, error);
    thread_ = std::thread([this] { Run(); });
}

JournalWriter::~JournalWriter() {
    {
        const std::scoped_lock lock(mutex_);
        stopping_ = true;
    }
    SetEvent(wake_.get());
    thread_.join();
}

// The thread is woken only when the queue stops being empty: until it takes the queue, it knows it has one.
void JournalWriter::Write(Event event) {
    bool first = false;
    {
        const std::scoped_lock lock(mutex_);
        first = queued_.empty();
        queued_.push_back(std::move(event));
        ++queuedCount_;
    }
    if (first) SetEvent(wake_.get());
}

void JournalWriter::WriteNow(Event event) {
    Write(std::move(event));
    Flush();
}

// Each waiter has an event of its own, which the thread sets once its events are flushed, or failed to be.
void JournalWriter::Flush() {
    const platform::Unique<HANDLE, CloseHandle> flushed(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    {
        const std::scoped_lock lock(mutex_);
        if (flushedCount_ == queuedCount_ || !flushed) return;
        waiters_.push_back({queuedCount_, flushed.get()});
    }
    SetEvent(wake_.get());
    WaitForSingleObject(flushed.get(), INFINITE);
}

std::string JournalWriter::Problem() const {
    const std::scoped_lock lock(mutex_);
    return writeProblem_.empty() ? refusedProblem_ : writeProblem_;
}

// Events that come while the last flush is less than kFlushPeriod ago wait for the rest of it, and go to the disk
// together; a waiter or the end does not wait.
void JournalWriter::Run() {
    Clock::time_point lastFlush{};
    DWORD waitMs = INFINITE;
    for (;;) {
        WaitForSingleObject(wake_.get(), waitMs);
        std::vector<Event> events;
        std::uint64_t upTo = 0;
        bool stop = false;
        {
            const std::scoped_lock lock(mutex_);
            const bool urgent = !waiters_.empty() || stopping_;
            const Clock::time_point due = lastFlush + kFlushPeriod, now = Clock::now();
            if (!urgent && (queued_.empty() || now < due)) {
                waitMs = queued_.empty()
                             ? INFINITE
                             : static_cast<DWORD>(std::chrono::ceil<std::chrono::milliseconds>(due - now).count());
                continue;
            }
            events.swap(queued_);
            upTo = queuedCount_;
            stop = stopping_;
        }
        Commit(events);
        lastFlush = Clock::now();
        {
            const std::scoped_lock lock(mutex_);
            flushedCount_ = upTo;
            std::erase_if(waiters_, [&](const Waiter& waiter) {
                if (waiter.upTo > flushedCount_) return false;
                SetEvent(waiter.flushed);
                return true;
            });
        }
        if (stop) return;
        waitMs = INFINITE;
    }
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

    const std::scoped_lock lock(mutex_);
    if (rewrite || !frame.empty()) writeProblem_ = error ? Failure(path_, error) : std::string();
    if (refused) {
        refusedProblem_ = "S\xFDnav g\xFCnl\xFC\xF0\xFC, s\xFDras\xFD d\xFD\xFE\xFDnda gelen " +
                          std::to_string(refused) + " olay\xFD yazmad\xFD (" + platform::NarrowCp1254(path_) + ")";
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
