#include "hall/StateWriter.h"

#include <mutex>
#include <optional>
#include <thread>

#include "platform/Cp1254.h"
#include "platform/Files.h"
#include "platform/SystemReason.h"
#include "platform/Unique.h"
#include "platform/pure/LongPaths.h"

namespace hall {

namespace {

using Event = platform::Unique<HANDLE, CloseHandle>;

constexpr char kHallFolderName[] = "Salon";
constexpr wchar_t kExtension[] = L".txt", kTemporaryExtension[] = L".tmp";

std::string Failure(const std::wstring& path, DWORD error) {
    return "Salon durum dosyas\xFD yaz\xFDlamad\xFD (" + platform::NarrowCp1254(path) +
           "): " + platform::SystemReason(error);
}

}  // namespace

// The thread keeps its own share, so that a writer that gave up waiting for it can go.
struct StateWriter::Shared {
    std::wstring folder, path, temporary;
    std::mutex mutex;
    std::optional<PcState> pending;
    bool stopping = false;
    std::string problem;
    // Events, not a condition variable: each keeps what happened until its waiter looks.
    Event wake{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    Event idle{CreateEventW(nullptr, TRUE, TRUE, nullptr)};       // set while nothing waits to be written
    Event finished{CreateEventW(nullptr, TRUE, FALSE, nullptr)};  // set when the thread ends

    void Run();
    DWORD Write(const std::string& bytes) const;
};

std::wstring HallFolderIn(const std::wstring& recordsFolder) {
    return platform::InFolder(platform::FullPath(recordsFolder), kHallFolderName);
}

// The name is the computer's as Windows gives it, which no file name in the folder can take from another PC.
std::wstring StateFileName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return (GetComputerNameW(name, &size) ? std::wstring(name, size) : std::wstring(L"PC")) + kExtension;
}

std::string_view ProgramVersion() { return PC1_VERSION; }

StateWriter::StateWriter(std::wstring folder) : shared_(std::make_shared<Shared>()) {
    shared_->path = folder + (folder.ends_with(L'\\') ? L"" : L"\\") + StateFileName();
    shared_->temporary =
        shared_->path.substr(0, shared_->path.size() - std::size(kExtension) + 1) + kTemporaryExtension;
    shared_->folder = std::move(folder);
    std::thread([shared = shared_] { shared->Run(); }).detach();
}

StateWriter::~StateWriter() {
    {
        const std::scoped_lock lock(shared_->mutex);
        shared_->stopping = true;
    }
    SetEvent(shared_->wake.get());
    WaitForSingleObject(shared_->finished.get(), kExitWaitMs);
}

// The idle event is reset under the lock under which the thread sets it, so a waiter never sees it set over a state
// still pending.
void StateWriter::Hand(PcState state) {
    {
        const std::scoped_lock lock(shared_->mutex);
        shared_->pending = std::move(state);
        ResetEvent(shared_->idle.get());
    }
    SetEvent(shared_->wake.get());
}

bool StateWriter::WaitWritten(DWORD timeoutMs) const {
    return WaitForSingleObject(shared_->idle.get(), timeoutMs) == WAIT_OBJECT_0;
}

const std::wstring& StateWriter::Path() const { return shared_->path; }

std::string StateWriter::Problem() const {
    const std::scoped_lock lock(shared_->mutex);
    return shared_->problem;
}

void StateWriter::Shared::Run() {
    for (;;) {
        WaitForSingleObject(wake.get(), INFINITE);
        std::optional<PcState> state;
        bool stop = false;
        {
            const std::scoped_lock lock(mutex);
            state.swap(pending);
            stop = stopping;
        }
        if (state) {
            const DWORD error = Write(EncodeState(*state));
            const std::scoped_lock lock(mutex);
            problem = error ? Failure(path, error) : std::string();
            if (!pending) SetEvent(idle.get());
        }
        if (stop) break;
    }
    SetEvent(finished.get());
}

// A folder that is not there yet, or was taken away, is made once the write finds it missing: a share's round trips
// are spent only then.
DWORD StateWriter::Shared::Write(const std::string& bytes) const {
    const std::wstring longTemporary = platform::LongForm(temporary);
    DWORD error = platform::WriteWholeFile(longTemporary, bytes, CREATE_ALWAYS);
    if (error == ERROR_PATH_NOT_FOUND) {
        error = platform::CreateFolder(folder);
        if (!error) error = platform::WriteWholeFile(longTemporary, bytes, CREATE_ALWAYS);
    }
    if (error) return error;
    if (MoveFileExW(longTemporary.c_str(), platform::LongForm(path).c_str(), MOVEFILE_REPLACE_EXISTING)) return 0;
    error = GetLastError();
    DeleteFileW(longTemporary.c_str());
    return error;
}

}  // namespace hall
