#include "result/pure/RecordsFile.h"

#include <algorithm>
#include <vector>

#include "text/Cp1254Unicode.h"

namespace result {

namespace {

// The record's fields in the file's column order; the record document's name is the last column.
constexpr std::string_view kColumns[] = {"tarih",  "BsSaat",  "BtSaat", "pc",     "adayno", "adi",
                                         "soyadi", "yazilan", "dogru",  "yanlis", "sonuc"};
constexpr std::string_view kHeader =
    "Tarih;Ba\xFElama;Biti\xFE;Bilgisayar;Aday No;Ad\xFD;Soyad\xFD;Yaz\xFDlan;Do\xF0ru;Yanl\xFD\xFE;Sonu\xE7;Tutanak";
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

}  // namespace

std::string RecordsFileHeader() { return text::Cp1254ToUtf8(kHeader) + std::string(kLineEnd); }

std::string RecordsFileLine(const ExamRecord& record, std::string_view recordFileName) {
    const std::vector<RecordField> fields = RecordFields(record);
    std::string line;
    for (const std::string_view column : kColumns) {
        const auto field = std::ranges::find(fields, column, &RecordField::placeholder);
        line += CsvField(text::Cp1254ToUtf8(field->text)) + ";";
    }
    return line + CsvField(recordFileName) + std::string(kLineEnd);
}

}  // namespace result
