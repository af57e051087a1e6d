// The day's ranked list on paper: a table that the record's printer lays out on A4 as it lays out a record.
#pragma once

#include <span>
#include <string_view>

#include "config/pure/Settings.h"
#include "hall/pure/DayResults.h"
#include "result/pure/RecordTable.h"

namespace hall {

// A heading row with the day and the page's number (on every page), the columns' names, one row per result in the
// given order (a candidate number on more than one marked with a star, and a note saying so below the table), then
// the board's three signature lines with their names. `day` as printed: 07.12.2026.
result::RecordTable ResultsSheet(std::span<const RankedResult> results, const config::ExamBoard& board,
                                 std::string_view day);

}  // namespace hall
