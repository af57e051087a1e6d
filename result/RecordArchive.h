// Keeps each exam's record on disk: its rich-text document and its line in the computer's records file for the day.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "result/pure/ExamRecord.h"

namespace result {

// Where an exam's record went, and what the supervisor must hear about it.
struct KeptRecord {
    std::wstring documentPath;     // empty when the document could not be kept
    std::wstring recordsFilePath;  // empty when its line could not be added
    std::string note;   // Windows-1254: the configured folder was out of reach, so the default folder took the record
    std::string error;  // Windows-1254: what could not be kept, and why; empty when everything was
};

class RecordArchive {
public:
    // `configuredFolder` is the installation's setting (UTF-8; empty: the default folder).
    RecordArchive(std::string_view configuredFolder, std::wstring defaultFolder);

    // Never overwrites a file and never throws for a failing disk or share: the outcome says what happened.
    KeptRecord Keep(std::string_view templateRows, const ExamRecord& record) const;

private:
    std::wstring configuredFolder_, defaultFolder_;
};

// Adds the exam's line to a records file, which it makes when there is none, unless the file has the line already;
// `documentName` (UTF-8) names the record document kept with it. The system's error, or ERROR_SUCCESS.
DWORD AddRecordsFileLine(const std::wstring& path, const ExamRecord& record, std::string_view documentName);

// %ProgramData%\PC1\Tutanaklar
std::wstring DefaultRecordsFolder();

}  // namespace result
