#include "platform/TimerThread.h"

#include <algorithm>

namespace platform {

namespace {

// How long a wake-up waits for a busy window before the thread looks whether it should stop; the window still gets
// it when it comes back to its messages.
constexpr UINT kWakeWaitMs = 100;

}  // namespace

TimerThread::TimerThread(HWND window) : window_(window), thread_([this](std::stop_token stop) { Run(stop); }) {}

TimerThread::~TimerThread() {
    thread_.request_stop();
    thread_.join();
}

void TimerThread::Set(UINT_PTR id, Clock::duration first, Clock::duration period) {
    {
        const std::scoped_lock lock(mutex_);
        std::erase_if(timers_, [id](const Timer& t) { return t.id == id; });
        timers_.push_back({id, Clock::now() + first, period});
        ++changes_;
    }
    changed_.notify_one();
}

void TimerThread::Kill(UINT_PTR id) {
    {
        const std::scoped_lock lock(mutex_);
        std::erase_if(timers_, [id](const Timer& t) { return t.id == id; });
        ++changes_;
    }
    changed_.notify_one();
}

// The lock is never held while the window is woken: the window sets and kills its timers from its own thread.
void TimerThread::Run(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    while (!stop.stop_requested()) {
        const unsigned seen = changes_;
        const auto next = std::ranges::min_element(timers_, {}, &Timer::due);
        if (next == timers_.end()) {
            changed_.wait(lock, stop, [&] { return changes_ != seen; });
            continue;
        }
        if (Clock::now() < next->due) {
            changed_.wait_until(lock, stop, next->due, [&] { return changes_ != seen; });
            continue;
        }
        // Like WM_TIMER, a timer that fell behind fires once, not once for every period it missed.
        const UINT_PTR id = next->id;
        next->due = Clock::now() + next->period;
        lock.unlock();
        Wake(id, stop);
        lock.lock();
    }
}

void TimerThread::Wake(UINT_PTR id, const std::stop_token& stop) const {
    while (!stop.stop_requested() &&
           !SendMessageTimeoutW(window_, kWakeMessage, id, 0, SMTO_NORMAL, kWakeWaitMs, nullptr) &&
           GetLastError() == ERROR_TIMEOUT) {}
}

}  // namespace platform
