// A thread of its own that takes the items handed to it and does them, in the order handed, so that the thread that
// hands them (a window's) never waits for a disk, a share or a spooler. Whoever handed them may wait until they are
// done, for as long as it chooses.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/Unique.h"

namespace platform {

// How a worker takes what it is handed.
struct WorkerRules {
    // Only the newest item not yet taken is kept: for a state, of which only the latest counts.
    bool newestOnly = false;
    // The least time between two runs of the work: items that come sooner wait and go together, unless someone waits
    // for them or the worker ends.
    DWORD pauseMs = 0;
    // With nothing handed, the work runs with no items once this long has passed since it last ran; INFINITE: never.
    DWORD periodMs = INFINITE;
    // How long the worker's end waits for what was handed before it. Past that the thread finishes on its own, with
    // its own share of the work: work that uses its owner's members must wait INFINITE.
    DWORD exitWaitMs = INFINITE;
};

// What the items' type does not change: the thread, its wake-ups and the counts that waiters wait on.
class WorkerThread {
public:
    // True once everything handed before the call is done; false when `timeoutMs` passed first.
    bool WaitDone(DWORD timeoutMs) const;

protected:
    // Shared by the worker and its thread, which may outlive it.
    struct Shared {
        explicit Shared(const WorkerRules& givenRules);
        virtual ~Shared() = default;
        // Under `mutex`: whether items wait, and taking them all for the next run.
        virtual bool HasItems() const = 0;
        virtual void TakeItems() = 0;
        // On the thread, outside the lock: the work run with what was taken (none for a periodic run).
        virtual void RunWork() = 0;

        void Run();

        const WorkerRules rules;
        std::mutex mutex;
        std::uint64_t handed = 0, done = 0;  // done: handed before the last run began, once it has ended
        struct Waiter {
            std::uint64_t upTo;
            HANDLE doneEvent;
        };
        std::vector<Waiter> waiters;
        bool stopping = false;
        // An event, not a condition variable: it keeps a wake-up that comes while the thread is busy, and its waits
        // are counted in time since they began, whatever happens to the system's clock.
        Unique<HANDLE, CloseHandle> wake;
    };

    // Starts the thread; throws what Windows says when it cannot.
    explicit WorkerThread(std::shared_ptr<Shared> shared);
    // The thread finishes what was handed and ends; this waits for it as long as the rules say.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    void Wake() const;

    std::shared_ptr<Shared> shared_;
    Unique<HANDLE, CloseHandle> thread_;
};

template <class Item>
class Worker : public WorkerThread {
public:
    // Runs on the thread with the items handed since the last run, oldest first; it may move them away.
    using Work = std::function<void(std::vector<Item>& items)>;

    explicit Worker(Work work, const WorkerRules& rules = {})
        : WorkerThread(std::make_shared<Queue>(std::move(work), rules)) {}

    // Returns at once; the thread is woken only when nothing was waiting, since until it takes them it knows it has
    // items. Under Wine every wake-up is a round trip to the wine server, the most this costs.
    void Hand(Item item) {
        auto& queue = static_cast<Queue&>(*shared_);
        bool wasEmpty = false;
        {
            const std::scoped_lock lock(queue.mutex);
            wasEmpty = queue.items.empty();
            if (queue.rules.newestOnly) queue.items.clear();
            queue.items.push_back(std::move(item));
            ++queue.handed;
        }
        if (wasEmpty) Wake();
    }

private:
    struct Queue final : Shared {
        Queue(Work givenWork, const WorkerRules& givenRules) : Shared(givenRules), work(std::move(givenWork)) {}
        bool HasItems() const override { return !items.empty(); }
        void TakeItems() override {
            taken.clear();  // what a run that threw left
            taken.swap(items);
        }
        void RunWork() override {
            work(taken);
            taken.clear();
        }

        Work work;
        std::vector<Item> items, taken;  // `taken` is the thread's own
    };
};

}  // namespace platform
