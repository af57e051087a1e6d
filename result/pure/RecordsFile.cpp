#include "result/pure/RecordsFile.h"

#include <algorithm>
#include <optional>
#include <utility>
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

// Such a field is written quoted behind an apostrophe, and so is one that starts so behind apostrophes of its own:
// the reader then takes one apostrophe off every quoted field that starts with apostrophes before a formula's sign.
bool NeedsApostrophe(std::string_view field) {
    return StartsLikeFormula(field.substr(std::min(field.find_first_not_of('\''), field.size())));
}

std::string CsvField(std::string_view utf8) {
    const bool apostrophe = NeedsApostrophe(utf8);
    if (!apostrophe && utf8.find_first_of(";\"\r\n") == std::string_view::npos) return std::string(utf8);
    std::string quoted = apostrophe ? "\"'" : "\"";
    for (const char c : utf8) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

// What CsvField wrote, from its unquoted bytes.
std::string UnescapedField(std::string field, bool quoted) {
    if (quoted && field.starts_with('\'') && NeedsApostrophe(field)) field.erase(0, 1);
    return field;
}

struct ParsedLine {
    std::vector<std::string> fields;
    std::string fault;  // empty for a well-formed line
};

constexpr std::string_view kBadQuotes =
                               "t\xFDrnak i\xFE"
                               "aretleri bozuk",
                           kBadLineBreak = "sat\xFDr sonu bozuk";

// The line from `position` to its CR LF, which `position` then moves past; nothing while that CR LF is not written.
std::optional<ParsedLine> NextLine(std::string_view file, std::size_t& position) {
    ParsedLine line;
    std::string field;
    bool quoting = false, quoted = false;
    for (std::size_t i = position; i < file.size(); ++i) {
        const char c = file[i];
        if (quoting) {
            if (c != '"')
                field += c;
            else if (file.substr(i + 1, 1) == "\"")
                field += file[i++];
            else
                quoting = false;
        } else if (c == ';' || file.substr(i, 2) == kLineEnd) {
            line.fields.push_back(UnescapedField(std::exchange(field, {}), std::exchange(quoted, false)));
            if (c == '\r') {
                position = i + kLineEnd.size();
                return line;
            }
        } else if (c == '"' && field.empty() && !quoted) {
            quoting = quoted = true;
        } else {
            if (c == '"' || quoted) line.fault = kBadQuotes;
            if (c == '\r' || c == '\n') line.fault = kBadLineBreak;
            field += c;
        }
    }
    return std::nullopt;
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

std::vector<std::string> RecordsFileColumns() {
    std::vector<std::string> columns;
    for (std::size_t start = 0, end = 0; end != std::string_view::npos; start = end + 1) {
        end = kHeader.find(';', start);
        columns.push_back(text::Cp1254ToUtf8(kHeader.substr(start, end - start)));
    }
    return columns;
}

std::string RecordsFileHeader() { return RecordsFileRow(RecordsFileColumns()); }

std::string RecordsFileRow(std::span<const std::string> utf8Fields) {
    std::string row;
    for (const std::string& field : utf8Fields) row += CsvField(field) + ";";
    if (!row.empty()) row.pop_back();
    return row + std::string(kLineEnd);
}

std::string RecordsFileLine(const ExamRecord& record, std::string_view recordFileName) {
    const std::vector<RecordField> fields = RecordFields(record);
    std::vector<std::string> row;
    for (const std::string_view column : kColumns)
        row.push_back(text::Cp1254ToUtf8(std::ranges::find(fields, column, &RecordField::placeholder)->text));
    row.insert(row.end(),
               {std::string(recordFileName), std::to_string(record.interruptions.size()),
                std::to_string(SecondsInterrupted(record.interruptions)), text::Cp1254ToUtf8(record.examId)});
    return RecordsFileRow(row);
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

RecordsFileRows ReadRecordsFileRows(std::string_view bytes) {
    std::string_view file = bytes;
    if (file.starts_with(kUtf8ByteOrderMark))
        file.remove_prefix(kUtf8ByteOrderMark.size());
    else if (kUtf8ByteOrderMark.starts_with(file))
        return {};
    // A header still being written is one that the first line of a new file may yet become.
    if (file.find(kLineEnd) == std::string_view::npos && RecordsFileHeader().starts_with(file)) return {};
    const std::vector<std::string> columns = RecordsFileColumns();
    std::size_t position = 0;
    const std::optional<ParsedLine> header = NextLine(file, position);
    const auto isHeader = [&](std::size_t count) {
        return header->fields.size() == count && std::ranges::equal(header->fields, std::span(columns).first(count));
    };
    if (!header || !(isHeader(columns.size()) || isHeader(kOlderRecordsFileColumns)))
        return {{}, {{0, "PC1'in tutanak dosyas\xFD de\xF0il"}}};

    RecordsFileRows read;
    int nextLine = 2;
    for (std::size_t start = position; std::optional<ParsedLine> parsed = NextLine(file, position); start = position) {
        const int line = std::exchange(
            nextLine, nextLine + static_cast<int>(std::count(file.begin() + start, file.begin() + position, '\n')));
        if (parsed->fields.size() == 1 && parsed->fields.front().empty()) continue;
        if (parsed->fault.empty() && parsed->fields.size() != header->fields.size())
            parsed->fault = std::to_string(parsed->fields.size()) + " alan var, " +
                            std::to_string(header->fields.size()) + " olmal\xFD";
        if (!parsed->fault.empty()) {
            read.faults.push_back({line, std::move(parsed->fault)});
            continue;
        }
        parsed->fields.resize(columns.size());
        read.rows.push_back({line, std::move(parsed->fields)});
    }
    return read;
}

}  // namespace result
