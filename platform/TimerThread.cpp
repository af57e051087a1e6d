#include "platform/TimerThread.h"

#include <algorithm>

namespace platform {

namespace {

// How long a wake-up waits for a busy window before the thread looks whether it should stop; the window still gets
// it when it comes back to its messages.
constexpr UINT kWakeWaitMs = 100;

}  // namespace

TimerThread::TimerThread(HWND window)
    : window_(window), changed_(CreateEventW(nullptr, FALSE, FALSE, nullptr)), thread_([this] { Run(); }) {}

TimerThread::~TimerThread() {
    Change([this] { stopping_ = true; });
    thread_.join();
}

void TimerThread::Set(UINT_PTR id, Clock::duration first, Clock::duration period) {
    Change([&] {
        std::erase_if(timers_, [id](const Timer& t) { return t.id == id; });
        timers_.push_back({id, Clock::now() + first, period});
    });
}

void TimerThread::Kill(UINT_PTR id) {
    Change([&] { std::erase_if(timers_, [id](const Timer& t) { return t.id == id; }); });
}

void TimerThread::Change(const auto& change) {
    {
        const std::scoped_lock lock(mutex_);
        change();
    }
    SetEvent(changed_.get());
}

bool TimerThread::Stopping() const {
    const std::scoped_lock lock(mutex_);
    return stopping_;
}

// The lock is never held while the window is woken: the window sets and kills its timers from its own thread.
void TimerThread::Run() {
    while (!Stopping()) {
        DWORD waitMs = INFINITE;
        if (const std::optional<UINT_PTR> due = TakeDue(waitMs))
            Wake(*due);
        else
            WaitForSingleObject(changed_.get(), waitMs);
    }
}

std::optional<UINT_PTR> TimerThread::TakeDue(DWORD& waitMs) {
    const std::scoped_lock lock(mutex_);
    const auto next = std::ranges::min_element(timers_, {}, &Timer::due);
    if (next == timers_.end()) return std::nullopt;
    const Clock::time_point now = Clock::now();
    if (now < next->due) {
        // Rounded up: a wait that ends early only looks again.
        waitMs = static_cast<DWORD>(std::chrono::ceil<std::chrono::milliseconds>(next->due - now).count());
        return std::nullopt;
    }
    // Like WM_TIMER, a timer that fell behind fires once, not once for every period it missed.
    next->due = now + next->period;
    return next->id;
}

void TimerThread::Wake(UINT_PTR id) const {
    while (!SendMessageTimeoutW(window_, kWakeMessage, id, 0, SMTO_NORMAL, kWakeWaitMs, nullptr) &&
           GetLastError() == ERROR_TIMEOUT && !Stopping()) {}
}

}  // namespace platform
