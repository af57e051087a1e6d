// A local date and time written out as the record, the records file and the file names show it.
#pragma once

#include <string>

#include "result/pure/ExamRecord.h"

namespace result {

std::string DottedDate(const LocalTime& time);        // 07.12.2026, as Turkish readers and Excel read a date
std::string ClockTime(const LocalTime& time);         // 14:30:12
std::string IsoDate(const LocalTime& time);           // 2026-12-07, which file names sort by
std::string CompactClockTime(const LocalTime& time);  // 143012, for file names, where ':' may not stand

}  // namespace result
