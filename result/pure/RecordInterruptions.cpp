#include "result/pure/RecordInterruptions.h"

#include <algorithm>
#include <chrono>

#include "result/pure/LocalTimeText.h"

namespace result {

namespace {

bool SameDay(const LocalTime& a, const LocalTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

// An interruption may run past midnight, or until the next morning: a time of another day than the exam's start
// carries its date.
std::string TimeOnTheExamsDay(const LocalTime& time, const LocalTime& examDay) {
    return SameDay(time, examDay) ? ClockTime(time) : DottedDate(time) + " " + ClockTime(time);
}

// 1 dk 12 sn, 2 dk, 45 sn
std::string Duration(int seconds) {
    seconds = std::max(seconds, 0);
    const std::string minutes = std::to_string(seconds / 60) + " dk", rest = std::to_string(seconds % 60) + " sn";
    if (seconds < 60) return rest;
    return seconds % 60 == 0 ? minutes : minutes + " " + rest;
}

long long SecondsOf(const LocalTime& time) {
    using namespace std::chrono;
    const sys_days date =
        year{time.year} / month{static_cast<unsigned>(time.month)} / day{static_cast<unsigned>(time.day)};
    return date.time_since_epoch().count() * 86400LL + time.hour * 3600LL + time.minute * 60LL + time.second;
}

}  // namespace

std::vector<std::string> InterruptionLines(const ExamRecord& record) {
    std::vector<std::string> lines;
    for (const Interruption& interruption : record.interruptions) {
        std::string line = TimeOnTheExamsDay(interruption.stopped, record.clockStarted) + " - " +
                           TimeOnTheExamsDay(interruption.resumed, record.clockStarted) +
                           " aras\xFDnda kesildi; s\xFDnav ";
        const std::string left = Duration(interruption.secondsLeft);
        line += interruption.ended ? "oldu\xF0u gibi bitirildi (kalan " + left + " yaz\xFDlmad\xFD)."
                                   : "kalan " + left + " ile s\xFCrd\xFCr\xFCld\xFC.";
        lines.push_back(std::move(line));
    }
    if (!record.journalProblem.empty())
        lines.push_back(record.journalProblem + "; s\xFDnav bir kesintiden sonra geri getirilemezdi.");
    return lines;
}

std::string_view InterruptionsCaption(const ExamRecord& record) {
    return record.interruptions.empty() ? "S\xFDnav g\xFCnl\xFC\xF0\xFC:" : "Kesintiler:";
}

long long SecondsInterrupted(const std::vector<Interruption>& interruptions) {
    long long seconds = 0;
    for (const Interruption& interruption : interruptions)
        seconds += std::max(0LL, SecondsOf(interruption.resumed) - SecondsOf(interruption.stopped));
    return seconds;
}

}  // namespace result
