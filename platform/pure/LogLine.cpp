#include "platform/pure/LogLine.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

void AppendField(std::string& line, std::string_view field) {
    constexpr char kHexDigits[] = "0123456789ABCDEF";
    for (const char c : field) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n')
            line += "\\n";
        else if (c == '\r')
            line += "\\r";
        else if (c == '\t')
            line += "\\t";
        else if (byte < 0x20 || byte == 0x7F)
            line += {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
        else
            line += c;
    }
}

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
        AppendField(line, field);
    }
    line += '\n';
    return line;
}

bool LogTurnsOver(std::uint64_t size, std::uint64_t adding) { return size > 0 && size + adding > kLogLimitBytes; }

}  // namespace platform
