// What the supervisor's sequence costs once the installation keeps it as a slow hash: the iterations the settings
// program picks on this computer, and the sixth digit's key press in the exam window, which checks all six, timed
// from the message sent to its return, with the right digits and with wrong ones.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

#include "bench/Stopwatch.h"
#include "config/SequenceCheck.h"
#include "tests/win/ExamDriver.h"

namespace {

using bench::Milliseconds;
using bench::PerformanceCount;

constexpr int kChecks = 10;
constexpr double kTargetLowMs = 150, kTargetHighMs = 500;
constexpr std::string_view kSequence = "407193", kWrong = "407139";

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The six digits with Alt held; the time the sixth took.
double SixthKeyMs(HWND yazilan, std::string_view digits) {
    constexpr LPARAM kAlt = (LPARAM{1} << 29) | 1;
    SendMessageW(yazilan, WM_SYSKEYDOWN, VK_MENU, kAlt);
    for (std::size_t i = 0; i + 1 < digits.size(); ++i) SendMessageW(yazilan, WM_SYSKEYDOWN, digits[i], kAlt);
    const LARGE_INTEGER start = PerformanceCount();
    SendMessageW(yazilan, WM_SYSKEYDOWN, digits.back(), kAlt);
    return Milliseconds(start, PerformanceCount());
}

}  // namespace

int main() {
    const std::uint32_t iterations = config::IterationsForCheckTime();
    std::printf("iterations the settings program picks on this computer: %u\n", iterations);

    const testing_pc1::SampleFolder folder;
    config::Settings settings = testing_pc1::RecordsInTheCurrentFolder();
    settings.sequence = config::HashSequence(kSequence, iterations);
    exam::TSinavForm form(exam::TSinavForm::Controls::AtOnce, exam::TSinavForm::KeySources::Any, settings);
    const HWND yazilan = form.Control(exam::SinavForm::Yazilan).Handle();

    std::vector<double> right, wrong;
    for (int i = 0; i < kChecks; ++i) {
        right.push_back(SixthKeyMs(yazilan, kSequence));
        wrong.push_back(SixthKeyMs(yazilan, kWrong));
    }
    const bool revealed = form.Control(exam::SinavForm::KapatBtn).IsVisible();
    const double median = Median(right);
    std::printf(
        "sixth key with the check, median of %d: right digits %.0f ms (close button %s), wrong digits %.0f ms\n",
        kChecks, median, revealed ? "shown" : "NOT shown", Median(wrong));
    std::printf("target: %.0f-%.0f ms per complete check%s\n", kTargetLowMs, kTargetHighMs,
                median >= kTargetLowMs && median <= kTargetHighMs ? "  (target met)" : "  (target missed)");
    return revealed ? 0 : 1;
}
