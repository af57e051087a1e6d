#include "platform/Worker.h"

#include <process.h>

#include <exception>
#include <limits>
#include <optional>

#include "platform/Log.h"
#include "platform/SystemReason.h"

namespace platform {

namespace {

constexpr ULONGLONG kNever = std::numeric_limits<ULONGLONG>::max();

}  // namespace

WorkerThread::Shared::Shared(const WorkerRules& givenRules)
    : rules(givenRules), wake(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

WorkerThread::WorkerThread(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {
    if (!shared_->wake) ThrowLastError("a worker's event cannot be made");
    auto given = std::make_unique<std::shared_ptr<Shared>>(shared_);
    const auto start = [](void* parameter) -> unsigned {
        const std::unique_ptr<std::shared_ptr<Shared>> owned(static_cast<std::shared_ptr<Shared>*>(parameter));
        (*owned)->Run();
        return 0;
    };
    thread_.Reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, start, given.get(), 0, nullptr)));
    if (!thread_) ThrowLastError("a worker's thread cannot start");
    given.release();  // the thread's now
}

WorkerThread::~WorkerThread() {
    {
        const std::scoped_lock lock(shared_->mutex);
        shared_->stopping = true;
    }
    Wake();
    WaitForSingleObject(thread_.get(), shared_->rules.exitWaitMs);
}

void WorkerThread::Wake() const { SetEvent(shared_->wake.get()); }

// Each waiter has an event of its own, which the thread sets once a run that began after the waiter came has ended.
bool WorkerThread::WaitDone(DWORD timeoutMs) const {
    const Unique<HANDLE, CloseHandle> doneEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    {
        const std::scoped_lock lock(shared_->mutex);
        if (shared_->done == shared_->handed) return true;
        if (!doneEvent) return false;
        shared_->waiters.push_back({shared_->handed, doneEvent.get()});
    }
    Wake();
    if (WaitForSingleObject(doneEvent.get(), timeoutMs) == WAIT_OBJECT_0) return true;
    const std::scoped_lock lock(shared_->mutex);
    // A waiter that the thread has taken off in the meantime was done after all.
    return std::erase_if(shared_->waiters,
                         [&](const Shared::Waiter& waiter) { return waiter.doneEvent == doneEvent.get(); }) == 0;
}

// Times are the tick count's, which no change of the system's clock moves.
void WorkerThread::Shared::Run() {
    std::optional<ULONGLONG> lastRun;  // when the last run ended
    const ULONGLONG started = GetTickCount64();
    std::unique_lock lock(mutex);
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        const bool urgent = stopping || !waiters.empty();
        if (!HasItems() && stopping) return;
        ULONGLONG due = now;
        if (HasItems() && !urgent && lastRun)
            due = *lastRun + rules.pauseMs;
        else if (!HasItems())
            due = rules.periodMs == INFINITE ? kNever : lastRun.value_or(started) + rules.periodMs;
        if (now < due) {
            lock.unlock();
            WaitForSingleObject(wake.get(), due == kNever ? INFINITE : static_cast<DWORD>(due - now));
            lock.lock();
            continue;
        }
        TakeItems();
        const std::uint64_t upTo = handed;
        lock.unlock();
        try {
            RunWork();
        } catch (const std::exception& error) {
            Log("error", error.what());
        }
        lastRun = GetTickCount64();
        lock.lock();
        done = upTo;
        std::erase_if(waiters, [&](const Waiter& waiter) {
            if (waiter.upTo > done) return false;
            SetEvent(waiter.doneEvent);
            return true;
        });
    }
}

}  // namespace platform
