#include "result/pure/LocalTimeText.h"

#include <cstdio>

namespace result {

namespace {

std::string Printed(const char* format, int a, int b, int c) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}

}  // namespace

std::string DottedDate(const LocalTime& t) { return Printed("%02d.%02d.%04d", t.day, t.month, t.year); }
std::string ClockTime(const LocalTime& t) { return Printed("%02d:%02d:%02d", t.hour, t.minute, t.second); }
std::string IsoDate(const LocalTime& t) { return Printed("%04d-%02d-%02d", t.year, t.month, t.day); }
std::string CompactClockTime(const LocalTime& t) { return Printed("%02d%02d%02d", t.hour, t.minute, t.second); }

}  // namespace result
