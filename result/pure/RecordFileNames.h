// The names of the files an exam record leaves in the records folder: UTF-8, with only characters Windows allows
// in a file name, sorted by date when listed by name.
#pragma once

#include <string>
#include <string_view>

#include "result/pure/ExamRecord.h"

namespace result {

// The record document, e.g. 2026-12-07_143012_PC07_12345.rtf, from the clock's start, the computer and the
// candidate's number. A copy number above 1 tells apart records that would have the same name: ..._12345_2.rtf.
std::string RecordFileName(const ExamRecord& record, int copyNumber = 1);
// Records kept under one name before the archive gives up numbering them.
inline constexpr int kMaxCopyNumber = 999;

// One computer's records file for the day, e.g. 2026-12-07_PC07.csv.
std::string RecordsFileName(const LocalTime& day, std::string_view computer);

// A Windows-1254 text as part of a file name: characters Windows refuses (<>:"/\|?* and control bytes) as '_',
// no dots or spaces at either end, at most kMaxNamePartCharacters characters.
std::string FileNamePart(std::string_view cp1254);
inline constexpr std::size_t kMaxNamePartCharacters = 40;

// The longest name a record's file takes in the records folder, in characters (UTF-16 code units, as Windows counts
// them): a document's date and time, both name parts at their longest and the largest copy number.
inline constexpr std::size_t kMaxRecordFileNameCharacters =
    std::string_view("2026-12-07_143012__").size() + 2 * kMaxNamePartCharacters + std::string_view("_999.rtf").size();
static_assert(kMaxRecordFileNameCharacters <= config::kRecordFileNameRoom, "a records folder must leave room for it");

}  // namespace result
