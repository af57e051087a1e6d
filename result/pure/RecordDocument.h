// The exam record as a rich-text document that WordPad, Word and LibreOffice open, kept on disk beside the printed
// copy.
#pragma once

#include <string>
#include <string_view>

#include "result/pure/ExamRecord.h"

namespace result {

// The record template's rows (RTF table rows in Windows-1254, no document header) with every placeholder filled,
// inside a document header whose font carries the Turkish character set. The page number and count ($s$, $t$)
// become fields the reader fills in. No value can end a group or start a control word: whatever a candidate typed
// stays text.
std::string RecordDocument(std::string_view templateRows, const ExamRecord& record);

}  // namespace result
