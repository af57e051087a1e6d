#include "result/pure/RecordsFile.h"

#include <algorithm>
#include <vector>

#include "result/pure/RecordInterruptions.h"
#include "text/Cp1254Unicode.h"

namespace result {

namespace {

// The record's fields in the file's column order; the record document's name follows them, then the interruptions'
// count and seconds and the exam id, which came later: a day's file begun before them keeps its columns.
constexpr std::string_view kColumns[] = {"tarih",  "BsSaat",  "BtSaat", "pc",     "adayno", "adi",
                                         "soyadi", "yazilan", "dogru",  "yanlis", "sonuc"};
constexpr std::string_view kHeader =
    "Tarih;Ba\xFElama;Biti\xFE;Bilgisayar;Aday No;Ad\xFD;Soyad\xFD;Yaz\xFDlan;Do\xF0ru;Yanl\xFD\xFE;Sonu\xE7;Tutanak;"
    "Kesinti;Kesinti S\xFCresi (sn);S\xFDnav Kimli\xF0i";
constexpr std::size_t kExamIdColumn = std::size(kColumns) + 3;
constexpr std::string_view kLineEnd = "\r\n";

// Excel runs a cell that starts like this as a formula: a candidate's name must not run anything on the
// supervisor's machine.
bool StartsLikeFormula(std::string_view field) {
    return !field.empty() && std::string_view("=+-@\t\r").find(field.front()) != std::string_view::npos;
}

std::string CsvField(std::string_view utf8) {
    const bool formula = StartsLikeFormula(utf8);
    if (!formula && utf8.find_first_of(";\"\r\n") == std::string_view::npos) return std::string(utf8);
    std::string quoted = formula ? "\"'" : "\"";
    for (const char c : utf8) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

// Never for a record without an exam id. The fields are compared as written, quotes and all, so that no field of
// another column, nor a name holding the id between quotes, passes for the exam id.
bool RecordsFileHasExam(std::string_view file, std::string_view examId) {
    if (examId.empty()) return false;
    const std::string written = CsvField(text::Cp1254ToUtf8(examId));
    std::size_t column = 0, fieldStart = 0;
    bool quoted = false;
    for (std::size_t i = 0; i <= file.size(); ++i) {
        const char c = i < file.size() ? file[i] : '\n';
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == ';' || c == '\r' || c == '\n')) {
            if (column == kExamIdColumn && file.substr(fieldStart, i - fieldStart) == written) return true;
            column = c == ';' ? column + 1 : 0;
            fieldStart = i + 1;
        }
    }
    return false;
}

}  // namespace

std::string RecordsFileHeader() { return text::Cp1254ToUtf8(kHeader) + std::string(kLineEnd); }

std::string RecordsFileLine(const ExamRecord& record, std::string_view recordFileName) {
    const std::vector<RecordField> fields = RecordFields(record);
    std::string line;
    for (const std::string_view column : kColumns) {
        const auto field = std::ranges::find(fields, column, &RecordField::placeholder);
        line += CsvField(text::Cp1254ToUtf8(field->text)) + ";";
    }
    return line + CsvField(recordFileName) + ";" + std::to_string(record.interruptions.size()) + ";" +
           std::to_string(SecondsInterrupted(record.interruptions)) + ";" +
           CsvField(text::Cp1254ToUtf8(record.examId)) + std::string(kLineEnd);
}

std::string RecordsFileAddition(std::string_view file, const ExamRecord& record, std::string_view recordFileName) {
    if (RecordsFileHasExam(file, record.examId)) return {};
    std::string addition;
    if (file.empty())
        addition = std::string(kUtf8ByteOrderMark) + RecordsFileHeader();
    else if (!file.ends_with(kLineEnd))
        addition = kLineEnd;
    return addition + RecordsFileLine(record, recordFileName);
}

}  // namespace result
