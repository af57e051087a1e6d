// The exam record that the settings program prints to show that the chosen printer prints a record as an exam
// would: the whole table, the signature blocks with the board's names.
#pragma once

#include "config/pure/Settings.h"
#include "result/pure/ExamRecord.h"

namespace settings {

result::ExamRecord SampleRecord(const config::ExamBoard& board);

}  // namespace settings
