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

// The exam's line, then CR LF; `recordFileName` (UTF-8) names the record document kept with it.
std::string RecordsFileLine(const ExamRecord& record, std::string_view recordFileName);

}  // namespace result
