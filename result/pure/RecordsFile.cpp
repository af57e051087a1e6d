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
// count and seconds and the exam id, then the hall's digest and the journal's problem, which came later: a day's file
// begun before them keeps its columns.
constexpr std::string_view kColumns[] = {"tarih",  "BsSaat",  "BtSaat", "pc",     "adayno", "adi",
                                         "soyadi", "yazilan", "dogru",  "yanlis", "sonuc"};
constexpr std::string_view kHeader =
    "Tarih;Ba\xFElama;Biti\xFE;Bilgisayar;Aday No;Ad\xFD;Soyad\xFD;Yaz\xFDlan;Do\xF0ru;Yanl\xFD\xFE;Sonu\xE7;Tutanak;"
    "Kesinti;Kesinti S\xFCresi (sn);S\xFDnav Kimli\xF0i;Salon \xD6zeti;G\xFCnl\xFCk Sorunu";
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

// A quoted field as CsvField was given it.
void TakeOffAddedApostrophe(std::string& field) {
    if (field.starts_with('\'') && NeedsApostrophe(field)) field.erase(0, 1);
}

struct ParsedLine {
    std::vector<std::string> fields;
    std::string fault;  // empty for a well-formed line
};

constexpr std::string_view kBadQuotes =
    "t\xFDrnak i\xFE"
    "aretleri bozuk";
constexpr std::string_view kBadLineBreak = "sat\xFDr sonu bozuk";

bool IsLineEnd(std::string_view file, std::size_t i) {
    return file[i] == '\r' && i + 1 < file.size() && file[i + 1] == '\n';
}

// The line from `position` to its CR LF, which `position` then moves past; nothing while that CR LF is not written.
std::optional<ParsedLine> NextLine(std::string_view file, std::size_t& position) {
    constexpr auto npos = std::string_view::npos;
    ParsedLine line;
    line.fields.reserve(kExamIdColumn + 1);
    for (std::size_t i = position; i < file.size();) {
        std::string field;
        const bool quoted = file[i] == '"';
        if (quoted) {
            // Between the quotes a doubled quote stands for one.
            for (std::size_t quote = file.find('"', ++i);; quote = file.find('"', ++i)) {
                if (quote == npos) return std::nullopt;
                field.append(file.substr(i, quote - i));
                i = quote + 1;
                if (file.substr(i, 1) != "\"") break;
                field += '"';
            }
        }
        // All of an unquoted field; after a quoted one, what should not be there.
        std::size_t end = i;
        for (; end < file.size() && file[end] != ';' && !IsLineEnd(file, end); ++end) {
            if (quoted || file[end] == '"') line.fault = kBadQuotes;
            if (file[end] == '\r' || file[end] == '\n') line.fault = kBadLineBreak;
        }
        if (end == file.size()) return std::nullopt;
        field.append(file.substr(i, end - i));
        if (quoted) TakeOffAddedApostrophe(field);
        line.fields.push_back(std::move(field));
        i = end + 1;
        if (file[end] != ';') {
            position = end + kLineEnd.size();
            return line;
        }
    }
    return std::nullopt;
}

// Never for a record without an exam id.
bool RecordsFileHasExam(std::string_view file, std::string_view examId) {
    if (examId.empty()) return false;
    const std::string id = text::Cp1254ToUtf8(examId);
    return std::ranges::any_of(ReadRecordsFileRows(file).rows,
                               [&](const ReadRow& row) { return row.fields[kExamIdColumn] == id; });
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
    for (const std::string& field : utf8Fields) {
        row += CsvField(field);
        row += ';';
    }
    if (!row.empty()) row.pop_back();
    return row + std::string(kLineEnd);
}

std::string RecordsFileLine(const ExamRecord& record, std::string_view recordFileName) {
    const std::vector<RecordField> fields = RecordFields(record);
    std::vector<std::string> row;
    for (const std::string_view column : kColumns)
        row.push_back(text::Cp1254ToUtf8(std::ranges::find(fields, column, &RecordField::placeholder)->text));
    row.insert(row.end(), {std::string(recordFileName), std::to_string(record.interruptions.size()),
                           std::to_string(SecondsInterrupted(record.interruptions)), text::Cp1254ToUtf8(record.examId),
                           record.hallDigest, text::Cp1254ToUtf8(record.journalProblem)});
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
    if (!header || std::ranges::none_of(kRecordsFileColumnCounts, isHeader))
        return {{}, {{0, "PC1'in tutanak dosyas\xFD de\xF0il"}}};

    RecordsFileRows read;
    int nextLine = 2;
    for (std::size_t start = position; std::optional<ParsedLine> parsed = NextLine(file, position); start = position) {
        const int line = std::exchange(
            nextLine, nextLine + static_cast<int>(std::count(file.begin() + start, file.begin() + position, '\n')));
        if (parsed->fields.size() == 1 && parsed->fields.front().empty()) continue;
        // A day's file begun by an older version keeps its header when a newer one adds its lines.
        const std::size_t count = parsed->fields.size();
        if (parsed->fault.empty() &&
            (count < header->fields.size() ||
             std::ranges::find(kRecordsFileColumnCounts, count) == std::end(kRecordsFileColumnCounts)))
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
