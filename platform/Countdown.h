// A countdown of whole seconds kept against a monotonic clock. Windows timer ticks arrive late, or merged, when
// the program is busy; a countdown that counted ticks would run long. This one is read at each tick: the tick
// shows the seconds that are really left and the countdown ends when its time has passed, never later because a
// tick came late. No Windows header: it is tested natively.
#pragma once

#include <algorithm>
#include <chrono>

namespace platform {

class Countdown {
public:
    using Clock = std::chrono::steady_clock;

    void Start(Clock::time_point now, int seconds) {
        start_ = now;
        seconds_ = seconds;
    }

    // The whole seconds left as a tick shows them: 0 once finished, and at least 1 until then. Ticks aim at whole
    // seconds after the start; one that arrives a little early or late shows the same number.
    int SecondsLeft(Clock::time_point now) const {
        if (Finished(now)) return 0;
        const auto elapsed = std::chrono::round<std::chrono::seconds>(now - start_).count();
        return std::max(1, seconds_ - static_cast<int>(elapsed));
    }

    bool Finished(Clock::time_point now) const { return now - start_ >= std::chrono::seconds(seconds_); }

    // How long to wait for the next tick: up to the next whole second after the start, or up to the end.
    std::chrono::milliseconds UntilNextTick(Clock::time_point now) const {
        const auto elapsed = now - start_;
        const auto next = std::chrono::floor<std::chrono::seconds>(elapsed) + std::chrono::seconds(1);
        return std::chrono::ceil<std::chrono::milliseconds>(next - elapsed);
    }

private:
    Clock::time_point start_{};
    int seconds_ = 0;
};

}  // namespace platform
