// A countdown of whole seconds kept against a monotonic clock. Windows timer ticks arrive late, or merged, when
// the program is busy; a countdown that counted ticks would run long. This one is read at each tick: the tick
// shows the seconds that are really left and the countdown ends when its time has passed, never later because a
// tick came late. It can be paused and resumed with the exact time that was left, so pauses never lengthen it.
// No Windows header: it is tested natively.
#pragma once

#include <algorithm>
#include <chrono>

namespace platform {

class Countdown {
public:
    using Clock = std::chrono::steady_clock;

    void Start(Clock::time_point now, int seconds) {
        deadline_ = now + std::chrono::seconds(seconds);
        runningSince_ = now;
        paused_ = false;
    }

    // A countdown that was paused elsewhere, by a program that ended, with `left` still to run once resumed.
    void StartPaused(Clock::duration left) {
        left_ = left;
        pausedAt_ = {};
        paused_ = true;
    }

    // Keeps the time left until Resume; a paused countdown neither runs nor ends. Each takes the instant of the key
    // that asked for it, which may have waited in the queue: a pause reaches back no further than the last start or
    // resume, and a resume no further than the pause, so that no stretch of time counts both as run and as paused.
    void Pause(Clock::time_point at) {
        if (paused_) return;
        pausedAt_ = std::max(at, runningSince_);
        left_ = Left(pausedAt_);
        paused_ = true;
    }

    void Resume(Clock::time_point at) {
        if (!paused_) return;
        runningSince_ = std::max(at, pausedAt_);
        deadline_ = runningSince_ + left_;
        paused_ = false;
    }

    // The whole seconds left as a tick shows them: 0 once finished, and at least 1 until then. Ticks aim at whole
    // seconds before the end; one that arrives a little early or late shows the same number.
    int SecondsLeft(Clock::time_point now) const { return ShownSeconds(Left(now)); }
    // The whole seconds that a tick shows for this much time left.
    static int ShownSeconds(Clock::duration left) {
        if (left <= Clock::duration::zero()) return 0;
        return std::max(1, static_cast<int>(std::chrono::round<std::chrono::seconds>(left).count()));
    }

    bool Finished(Clock::time_point now) const { return Left(now) <= Clock::duration::zero(); }
    Clock::duration Left(Clock::time_point now) const { return paused_ ? left_ : deadline_ - now; }
    // When a running countdown ends, or ended.
    Clock::time_point End() const { return deadline_; }

    // How long to wait for the next tick: up to the next whole second before the end, or up to the end.
    std::chrono::milliseconds UntilNextTick(Clock::time_point now) const {
        const auto left = Left(now);
        const auto next = std::chrono::ceil<std::chrono::seconds>(left) - std::chrono::seconds(1);
        return std::chrono::ceil<std::chrono::milliseconds>(left - next);
    }

private:
    Clock::time_point deadline_{};
    Clock::time_point runningSince_{}, pausedAt_{};
    Clock::duration left_{};
    bool paused_ = false;
};

}  // namespace platform
