#include "hall/StateWriter.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/Cp1254.h"
#include "platform/Files.h"
#include "platform/SystemReason.h"
#include "platform/Unique.h"

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
    struct Waiter {
        std::uint64_t upTo;  // the count of states handed when it came
        HANDLE written;
    };

    std::wstring folder, path, temporary;
    std::mutex mutex;
    std::optional<PcState> pending;
    std::uint64_t handed = 0, done = 0;  // states handed, and handed before the last write began
    std::vector<Waiter> waiters;
    bool stopping = false;
    std::string problem;
    // Events, not a condition variable: each keeps what happened until its waiter looks.
    Event wake{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
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

StateWriter::StateWriter(std::wstring folder, std::wstring_view fileName) : shared_(std::make_shared<Shared>()) {
    shared_->path = platform::InFolder(folder, fileName);
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

// The thread is woken only when nothing was pending: until it takes the state, it knows it has one. Under Wine every
// event set is a round trip to the wine server, the most this costs.
void StateWriter::Hand(PcState state) {
    bool wasPending = false;
    {
        const std::scoped_lock lock(shared_->mutex);
        wasPending = shared_->pending.has_value();
        shared_->pending = std::move(state);
        ++shared_->handed;
    }
    if (!wasPending) SetEvent(shared_->wake.get());
}

// Each waiter has an event of its own, which the thread sets once a write that began after the last hand-off ends.
bool StateWriter::WaitWritten(DWORD timeoutMs) const {
    const Event written(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    {
        const std::scoped_lock lock(shared_->mutex);
        if (shared_->done == shared_->handed && !shared_->pending) return true;
        if (!written) return false;
        shared_->waiters.push_back({shared_->handed, written.get()});
    }
    if (WaitForSingleObject(written.get(), timeoutMs) == WAIT_OBJECT_0) return true;
    const std::scoped_lock lock(shared_->mutex);
    std::erase_if(shared_->waiters, [&](const Shared::Waiter& waiter) { return waiter.written == written.get(); });
    return false;
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
        std::uint64_t upTo = 0;
        bool stop = false;
        {
            const std::scoped_lock lock(mutex);
            state.swap(pending);
            upTo = handed;
            stop = stopping;
        }
        if (state) {
            const DWORD error = Write(EncodeState(*state));
            const std::scoped_lock lock(mutex);
            problem = error ? Failure(path, error) : std::string();
            done = upTo;
            std::erase_if(waiters, [&](const Waiter& waiter) {
                if (waiter.upTo > done) return false;
                SetEvent(waiter.written);
                return true;
            });
        }
        if (stop) break;
    }
    SetEvent(finished.get());
}

// A folder that is not there yet, or was taken away, is made once the write finds it missing: a share's round trips
// are spent only then.
DWORD StateWriter::Shared::Write(const std::string& bytes) const {
    DWORD error = platform::ReplaceWholeFile(path, temporary, bytes);
    if (error == ERROR_PATH_NOT_FOUND) {
        error = platform::CreateFolder(folder);
        if (!error) error = platform::ReplaceWholeFile(path, temporary, bytes);
    }
    return error;
}

}  // namespace hall
