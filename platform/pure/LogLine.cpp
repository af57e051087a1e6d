#include "platform/pure/LogLine.h"

#include <cstdio>
#include <cstdlib>

#include "platform/pure/LineEscaping.h"

namespace platform {

namespace {

std::string Timestamp(const LogTime& time) {
    const int offset = std::abs(time.utcOffsetMinutes);
    char text[40];
    std::snprintf(text, sizeof(text), "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d", time.year, time.month, time.day,
                  time.hour, time.minute, time.second, time.millisecond, time.utcOffsetMinutes < 0 ? '-' : '+',
                  offset / 60, offset % 60);
    return text;
}

}  // namespace

std::string LogLine(const LogTime& time, std::string_view program, std::string_view event, std::string_view details) {
    std::string line = Timestamp(time);
    for (const std::string_view field : {program, event, details}) {
        line += '\t';
        line += ControlsEscaped(field);
    }
    line += '\n';
    return line;
}

bool LogTurnsOver(std::uint64_t size, std::uint64_t adding) { return size > 0 && size + adding > kLogLimitBytes; }

}  // namespace platform
