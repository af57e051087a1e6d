// The timers of a window, kept by a thread of their own. Windows makes WM_TIMER only when no posted message waits:
// another program that keeps the queue full holds back every timer of the program, and with them the end of the
// exam. A message sent from another thread goes ahead of everything posted, so the thread waits for each due time
// and then sends the window a wake-up. The window answers it at once (ReplyMessage): the thread never waits on what
// a timer does, and what the timer does (a modal dialog, say) counts as the window's own work again.
#pragma once

#include <windows.h>

#include <chrono>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/Unique.h"

namespace platform {

class TimerThread {
public:
    using Clock = std::chrono::steady_clock;
    // Sent to the window when a timer is due; wParam is the timer's id. A wake-up that another program sends makes
    // the window look at its clocks, which say that nothing is due.
    static constexpr UINT kWakeMessage = WM_APP + 0x3F1;

    explicit TimerThread(HWND window);
    ~TimerThread();
    TimerThread(const TimerThread&) = delete;
    TimerThread& operator=(const TimerThread&) = delete;

    // The timer wakes the window after `first`, then every `period` until it is set again or killed.
    void Set(UINT_PTR id, Clock::duration first, Clock::duration period);
    void Kill(UINT_PTR id);

private:
    struct Timer {
        UINT_PTR id;
        Clock::time_point due;
        Clock::duration period;
    };

    void Run();
    // Under the lock: the timer due now, with its next time set, or how long to wait; INFINITE with none.
    std::optional<UINT_PTR> TakeDue(DWORD& waitMs);
    void Wake(UINT_PTR id) const;
    bool Stopping() const;
    void Change(const auto& change);

    HWND window_;
    mutable std::mutex mutex_;
    std::vector<Timer> timers_;
    bool stopping_ = false;
    // An event, not a condition variable: the thread must hear of a change or of its end even when it comes between
    // its look at the timers and its wait, which the event keeps until then.
    Unique<HANDLE, CloseHandle> changed_;
    std::thread thread_;  // last: it runs on the members above
};

}  // namespace platform
