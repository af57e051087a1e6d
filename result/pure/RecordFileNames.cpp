#include "result/pure/RecordFileNames.h"

#include "result/pure/LocalTimeText.h"
#include "text/Cp1254Unicode.h"

namespace result {

namespace {

bool IsRefusedInFileName(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F ||
           std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
}

}  // namespace

std::string FileNamePart(std::string_view cp1254) {
    std::string part;
    for (const char c : cp1254.substr(0, kMaxNamePartCharacters)) part.push_back(IsRefusedInFileName(c) ? '_' : c);
    const std::size_t first = part.find_first_not_of(". ");
    if (first == std::string::npos) return {};
    part = part.substr(first, part.find_last_not_of(". ") + 1 - first);
    return text::Cp1254ToUtf8(part);
}

std::string RecordFileName(const ExamRecord& record, int copyNumber) {
    std::string name = IsoDate(record.clockStarted) + "_" + CompactClockTime(record.clockStarted) + "_" +
                       FileNamePart(record.computerName) + "_" + FileNamePart(record.candidateNumber);
    if (copyNumber > 1) name += '_' + std::to_string(copyNumber);
    return name + ".rtf";
}

std::string RecordsFileName(const LocalTime& day, std::string_view computer) {
    return IsoDate(day) + "_" + FileNamePart(computer) + ".csv";
}

}  // namespace result
