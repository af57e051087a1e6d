// The exam record as a rich-text document that WordPad, Word and LibreOffice open, kept on disk beside the printed
// copy.
#pragma once

#include <string>
#include <string_view>

#include "result/pure/ExamRecord.h"

namespace result {

// The record template's rows (RTF table rows in Windows-1254, no document header) with every placeholder filled,
// inside a document header whose font carries the Turkish character set, and the exam's interruptions below the
// table. The page number and count ($s$, $t$) become fields the reader fills in. No value can end a group or start
// a control word: whatever a candidate typed stays text.
std::string RecordDocument(std::string_view templateRows, const ExamRecord& record);

// The group in a record document's header that names its exam, as the document's comment (Word and LibreOffice show
// it among the document's properties): the archive knows a document of the exam by it. A record without an exam id
// has none. Nothing typed can make these bytes, since every brace and backslash of a value is escaped.
std::string ExamIdGroup(std::string_view examId);

}  // namespace result
