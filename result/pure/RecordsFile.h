// The records file: one line per exam, for the supervisor to open in Excel. UTF-8 with ';' between the fields, as a
// Turkish Excel reads a file opened by double-click when the file starts with the byte-order mark.
#pragma once

#include <string>
#include <string_view>

#include "result/pure/ExamRecord.h"

namespace result {

// Written once, when the file is created, before the header.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The column names, then CR LF.
std::string RecordsFileHeader();

// The exam's line, then CR LF; `recordFileName` (UTF-8) names the record document kept with it. After the document's
// name: the count of interruptions, the seconds they took, and the exam id.
std::string RecordsFileLine(const ExamRecord& record, std::string_view recordFileName);

// What a records file that holds `file` gets for the exam, to append: nothing when it has the exam's line already (the
// exam kept again after the PC stopped on the way: a line is known by its exam id); else the byte-order mark and the
// header in an empty file, the end of a last line that the PC cut off, and the exam's line.
std::string RecordsFileAddition(std::string_view file, const ExamRecord& record, std::string_view recordFileName);

}  // namespace result
