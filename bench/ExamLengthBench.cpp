// How long an exam really lasts, from the exam clock's start to the typing area turning read-only, on the real
// clock and the program's real timers: once with the program idle, once with a typist at 15 keys a second over
// 5,000 words already typed, once stopped by the supervisor three times, where it must last 180 s plus the stopped
// time, and once with its queue flooded by posted messages over the end, as another program can flood it. Runs
// inside the real exam window under Windows (or Wine), three to four minutes per exam; prints each figure beside
// its target.
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "bench/Stopwatch.h"
#include "exam/ExamWindow.h"
#include "platform/MessageLoop.h"
#include "tests/win/ExamDriver.h"
#include "tests/win/TestSequence.h"

namespace {

using bench::Milliseconds;
using bench::PerformanceCount;

constexpr double kExamMs = 180000.0;
constexpr double kToleranceMs = 50.0;
constexpr int kTypedWords = 5000;
constexpr std::chrono::microseconds kKeyInterval{1000000 / 15};

// About 29,000 characters.
std::string TypedWords(int words) {
    static constexpr std::string_view kSentence[] = {"Bu",
                                                     "sabah",
                                                     "erken",
                                                     "kalkt\xFDm,",
                                                     "\xE7"
                                                     "ay",
                                                     "i\xE7tim",
                                                     "ve",
                                                     "okula",
                                                     "gittim."};
    std::string text;
    for (int i = 0; i < words; ++i) {
        const std::size_t word = i % std::size(kSentence);
        text += kSentence[word];
        text += word == std::size(kSentence) - 1 ? "\r\n" : " ";
    }
    return text;
}

// Notes the moment the typing area has turned read-only.
class ReadOnlyWatch {
public:
    explicit ReadOnlyWatch(HWND edit) : edit_(edit) {
        SetWindowSubclass(edit_, &Procedure, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    ~ReadOnlyWatch() { RemoveWindowSubclass(edit_, &Procedure, 0); }
    ReadOnlyWatch(const ReadOnlyWatch&) = delete;
    ReadOnlyWatch& operator=(const ReadOnlyWatch&) = delete;

    bool Seen() const { return seen_.load(); }
    LARGE_INTEGER At() const { return at_; }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        auto& watch = *reinterpret_cast<ReadOnlyWatch*>(self);
        if (message == EM_SETREADONLY && wParam && !watch.seen_) {
            watch.at_ = PerformanceCount();
            watch.seen_ = true;
        }
        return result;
    }

    HWND edit_;
    std::atomic<bool> seen_ = false;  // read by the flood's threads
    LARGE_INTEGER at_{};
};

// The time-up dialog would stay five seconds; it is closed as soon as its modal loop activates it, and the moment is
// noted.
class TimeUpDialogCloser {
public:
    static LARGE_INTEGER ShownAt() { return shownAt; }

    TimeUpDialogCloser() : hook_(SetWindowsHookExW(WH_CBT, &Procedure, nullptr, GetCurrentThreadId())) {}
    ~TimeUpDialogCloser() { UnhookWindowsHookEx(hook_); }
    TimeUpDialogCloser(const TimeUpDialogCloser&) = delete;
    TimeUpDialogCloser& operator=(const TimeUpDialogCloser&) = delete;

private:
    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE) {
            const HWND hwnd = reinterpret_cast<HWND>(wParam);
            wchar_t className[32];
            if (GetClassNameW(hwnd, className, 32) && std::wstring_view(className) == L"TSonucForm") {
                shownAt = PerformanceCount();
                PostMessageW(hwnd, WM_CLOSE, 0, 0);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline LARGE_INTEGER shownAt{};
    HHOOK hook_;
};

LPARAM KeyParameter(WORD key, bool up) {
    const LPARAM scanCode = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    return 1 | (scanCode << 16) | (up ? (LPARAM{1} << 30) | (LPARAM{1} << 31) : 0);
}

// A key press and release every fifteenth of a second, posted as the keyboard would post them; the program makes the
// presses' characters. Stops when destroyed.
std::jthread StartTypist(HWND edit) {
    return std::jthread([edit](std::stop_token stop) {
        auto next = std::chrono::steady_clock::now();
        for (int keys = 0; !stop.stop_requested(); ++keys) {
            next += kKeyInterval;
            std::this_thread::sleep_until(next);
            const WORD key = keys % 7 == 6 ? VK_SPACE : 'A';
            PostMessageW(edit, WM_KEYDOWN, key, KeyParameter(key, false));
            PostMessageW(edit, WM_KEYUP, key, KeyParameter(key, true));
        }
    });
}

struct Stop {
    std::chrono::milliseconds at, lasting;  // after the clock's start
};

// The supervisor's sequence with Alt held, its own key releases, then after the stop a key released in the typing
// area; returns the time stopped, from the sixth digit to that release. No Alt press comes between the stops, so from
// the second on the exam window still holds the last stop's digits and checks each new one against the hash (each
// rotation of the sequence is six different digits): the sixth waits in the queue behind five checks, half a second
// or more, and the stop must still count from its press.
double StopAsTheSupervisorDoes(HWND edit, const Stop& stop, std::chrono::steady_clock::time_point clockStart) {
    std::this_thread::sleep_until(clockStart + stop.at);
    for (const char digit : testing_pc1::kTestSequence) PostMessageW(edit, WM_SYSKEYDOWN, digit, (LPARAM{1} << 29) | 1);
    const LARGE_INTEGER stopped = PerformanceCount();
    PostMessageW(edit, WM_SYSKEYUP, testing_pc1::kTestSequence.back(), KeyParameter('0', true));
    PostMessageW(edit, WM_KEYUP, VK_MENU, KeyParameter(VK_MENU, true));
    std::this_thread::sleep_until(clockStart + stop.at + stop.lasting);
    PostMessageW(edit, WM_KEYUP, 'K', KeyParameter('K', true));
    return Milliseconds(stopped, PerformanceCount());
}

// WM_NULL posted to the exam window from four threads, from three seconds before the end of the running clock until
// the end, or for four seconds at most.
std::vector<std::jthread> StartFlood(HWND window, std::chrono::steady_clock::time_point clockStart,
                                     const ReadOnlyWatch& readOnly) {
    using namespace std::chrono_literals;
    const auto from = clockStart + std::chrono::milliseconds(static_cast<int>(kExamMs)) - 3s;
    std::vector<std::jthread> posters;
    for (int i = 0; i < 4; ++i)
        posters.emplace_back([=, &readOnly](std::stop_token stop) {
            std::this_thread::sleep_until(from);
            while (!stop.stop_requested() && !readOnly.Seen() && std::chrono::steady_clock::now() < from + 4s)
                PostMessageW(window, WM_NULL, 0, 0);
        });
    return posters;
}

struct ExamRun {
    double lengthMs;
    double stoppedMs;
    double dialogMs;  // from the typing area turning read-only to the time-up dialog's activation
    int characters;   // typed in the exam, as far as they reached the typing area
};

ExamRun RunExam(bool typing, std::span<const Stop> stops = {}, bool flood = false) {
    testing_pc1::StartedExam exam;
    const HWND yazilan = exam.yazilan.Handle();
    if (typing) testing_pc1::TypeInto(exam.yazilan.Handle(), TypedWords(kTypedWords));
    const int charactersBefore = exam.yazilan.TextLength();
    exam.yazilan.Select(charactersBefore, 0);
    SetFocus(yazilan);

    ReadOnlyWatch readOnly(yazilan);
    TimeUpDialogCloser closer;
    const LARGE_INTEGER start = PerformanceCount();
    const auto clockStart = std::chrono::steady_clock::now();
    platform::EventArgs keyUp;
    exam.form.YazilanKeyUp(keyUp);  // the first key release starts the exam clock
    double stoppedMs = 0;
    {
        const std::jthread typist = typing ? StartTypist(yazilan) : std::jthread();
        const std::jthread supervisor([&] {
            for (const Stop& stop : stops) stoppedMs += StopAsTheSupervisorDoes(yazilan, stop, clockStart);
        });
        const auto flooding =
            flood ? StartFlood(exam.form.Handle(), clockStart, readOnly) : std::vector<std::jthread>();
        // Delivered as the program's loops deliver, which tell a key's handler how long the key waited in the queue.
        MSG message;
        while (!readOnly.Seen() && GetMessageW(&message, nullptr, 0, 0) > 0) platform::Deliver(message);
    }
    if (!readOnly.Seen()) throw std::runtime_error("the message loop ended before the exam");
    for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {}  // what a flood left goes unread
    return {Milliseconds(start, readOnly.At()), stoppedMs, Milliseconds(readOnly.At(), TimeUpDialogCloser::ShownAt()),
            exam.yazilan.TextLength() - charactersBefore};
}

void Report(const char* what, const ExamRun& run) {
    const double errorMs = run.lengthMs - run.stoppedMs - kExamMs;
    std::printf("%s: %.3f s, %.3f s of it stopped, %+.1f ms off 180 s of running clock (target: within 50 ms)%s\n",
                what, run.lengthMs / 1000.0, run.stoppedMs / 1000.0, errorMs,
                std::fabs(errorMs) <= kToleranceMs ? "  (target met)" : "  (target missed)");
    std::printf("  the time-up dialog active %.1f ms after the typing area turned read-only\n", run.dialogMs);
    std::fflush(stdout);
}

}  // namespace

int main() {
    try {
        std::printf("exam length, from the clock's start to the typing area turning read-only\n");
        Report("idle", RunExam(false));
        const ExamRun busy = RunExam(true);
        Report("typist at 15 keys/s over 5,000 words", busy);
        std::printf("  %d characters typed in the exam; 15 keys a second make 2,700\n", busy.characters);
        using namespace std::chrono_literals;
        const Stop stops[] = {{20s, 5300ms}, {60s, 700ms}, {100s, 12100ms}};
        Report("stopped three times by the supervisor", RunExam(false, stops));
        Report("its queue flooded with posted messages over the end", RunExam(false, {}, true));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "exam_length_bench: %s\n", error.what());
        return 1;
    }
}
