// The interruptions of an exam that the PC stopped and the supervisor continued or ended after the restart, as the
// record shows them below its table, and the time they took, for the records file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "result/pure/ExamRecord.h"

namespace result {

// The caption above the lines below the table, Windows-1254: the interruptions', or, for an exam that ran through
// without its journal, the journal's.
std::string_view InterruptionsCaption(const ExamRecord& record);

// One line per interruption, in order, Windows-1254: when the exam stopped and was taken up again, and what became of
// its time left; then, for an exam whose journal could not be written, why, and that it could not have come back
// after one. None for an exam that ran through with its journal.
std::vector<std::string> InterruptionLines(const ExamRecord& record);

// The wall-clock seconds from each stop to its resumption, added up; a clock set back in between counts as none.
long long SecondsInterrupted(const std::vector<Interruption>& interruptions);

}  // namespace result
