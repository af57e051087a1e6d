// A line of the programs' diagnostic log, and when the log is turned over to its old file. No Windows header: the
// log's form is tested natively; writing it is platform/Log's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The computer's local time of an event, and how far that is ahead of UTC.
struct LogTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
    int utcOffsetMinutes = 0;
};

// One line, UTF-8 and LF-ended: the time with its offset (2026-12-09T14:30:12.345+03:00), the program, the event and
// its details, separated by tabs. A line break, a tab or any other control character in a field is written as an
// escape (\n, \r, \t, \xHH), so that every event is one line; a backslash stays as it is, as paths are read.
std::string LogLine(const LogTime& time, std::string_view program, std::string_view event, std::string_view details);

// A log grows to about this, then becomes its old file, and a new one begins.
inline constexpr std::uint64_t kLogLimitBytes = 1 << 20;

// Whether a log of `size` bytes is turned over before `adding` bytes more. An empty one takes them whatever their
// size, so that no line is ever turned over alone.
bool LogTurnsOver(std::uint64_t size, std::uint64_t adding);

}  // namespace platform
