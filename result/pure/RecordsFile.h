// The records file: one line per exam, for the supervisor to open in Excel. UTF-8 with ';' between the fields, as a
// Turkish Excel reads a file opened by double-click when the file starts with the byte-order mark.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "result/pure/ExamRecord.h"

namespace result {

// Written once, when the file is created, before the header.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The column names (UTF-8), in the order of a line's fields.
std::vector<std::string> RecordsFileColumns();
// The columns of a line of each version, the oldest first: without the interruptions and the exam id, without the
// hall's digest and the journal's problem, and the current one.
inline constexpr std::size_t kRecordsFileColumnCounts[] = {12, 15, 17};

// The column names, then CR LF.
std::string RecordsFileHeader();

// UTF-8 fields as one line of the file: each escaped as a line's fields are, joined by ';', then CR LF.
std::string RecordsFileRow(std::span<const std::string> utf8Fields);

// The exam's line, then CR LF; `recordFileName` (UTF-8) names the record document kept with it. After the document's
// name: the count of interruptions, the seconds they took, the exam id, the hall's digest and the journal's problem.
std::string RecordsFileLine(const ExamRecord& record, std::string_view recordFileName);

// What a records file that holds `file` gets for the exam, to append: nothing when it has the exam's line already (the
// exam kept again after the PC stopped on the way: a line is known by its exam id); else the byte-order mark and the
// header in an empty file, the end of a last line that the PC cut off, and the exam's line.
std::string RecordsFileAddition(std::string_view file, const ExamRecord& record, std::string_view recordFileName);

struct ReadRow {
    int line = 0;                     // the file's line it starts on, the header's being 1
    std::vector<std::string> fields;  // UTF-8, one per column of RecordsFileColumns(); an older file's last ones empty
};
struct RowFault {
    int line = 0;        // 0 for the file as a whole
    std::string reason;  // Turkish, Windows-1254, without a full stop
};
struct RecordsFileRows {
    std::vector<ReadRow> rows;
    std::vector<RowFault> faults;
};

// A records file's lines as the fields they were written from, with or without the byte-order mark. A file whose
// header is neither of the two versions' gives no rows and one fault; an older version's file may hold lines of
// either. A malformed line gives a fault and no row, and the lines after it are read. A last line without CR LF is
// left out: a PC is writing it.
RecordsFileRows ReadRecordsFileRows(std::string_view bytes);

}  // namespace result
