#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "hall/pure/DayResults.h"
#include "result/pure/RecordsFile.h"
#include "tests/core/Cp1254.h"
#include "text/Cp1254Unicode.h"

namespace {

using hall::ResultColumn;
using testing_text::Cp1254;

const std::string kFile = std::string(result::kUtf8ByteOrderMark) + result::RecordsFileHeader();

std::string Line(std::string firstName, std::string examId = "id", int correct = 240) {
    result::ExamRecord record;
    record.computer = "PC07", record.clockStarted = {2026, 12, 7, 14, 30, 12};
    record.firstName = std::move(firstName), record.examId = std::move(examId);
    record.candidateNumber = "12345", record.typed = 250, record.correct = correct, record.wrong = 10;
    return result::RecordsFileLine(record, "a.rtf");
}

// Whatever a candidate entered comes back as it was written, and the merged file is the file read.
TEST(DayResults, ReadsBackEveryNameAsWritten) {
    for (const std::string name : {"Ali;Veli", "Ali \"Can\"", "Ali\r\nVeli", "=1+1", "-2", "@A1", "\t=1", "'=1", "''=1",
                                   "'Ali", "'", "", "\xC7\xD0\xDD\xD6\xDE\xDC \xE7\xF0\xFD\xF6\xFE\xFC"}) {
        const hall::DayRead read = hall::ReadRecordsFile("2026-12-07_PC07.csv", kFile + Line(name));
        ASSERT_EQ(read.lines.size(), 1u) << name;
        EXPECT_EQ(read.lines[0].firstName, text::Cp1254ToUtf8(name));
        const std::string line = Line(name), header = result::RecordsFileHeader();
        EXPECT_EQ(hall::MergedRecordsFile(hall::RankResults(read.lines)),
                  std::string(result::kUtf8ByteOrderMark) + header.substr(0, header.size() - 2) +
                      ";Salon Tan\u0131\u011F\u0131\r\n" + line.substr(0, line.size() - 2) + ";\r\n")
            << name;
    }
}

TEST(DayResults, ReadsWhatIsWholeAndNamesWhatIsNot) {
    const std::vector<std::string> columns = result::RecordsFileColumns();
    const std::string older = result::RecordsFileRow(std::span(columns).first(result::kRecordsFileColumnCounts[0]));
    const std::string olderLine = Line("Ali").substr(0, Line("Ali").find(";0;0;id")) + "\r\n";
    const struct {
        std::string name, bytes;
        std::size_t lines;
        std::string fault;
    } cases[] = {
        {"without the byte-order mark", result::RecordsFileHeader() + Line("Ali"), 1, ""},
        {"an older version's columns", older + olderLine, 1, ""},
        {"the last line being written", kFile + Line("Ali") + Line("Veli").substr(0, 30), 1, ""},
        {"the last line being written inside its quotes", kFile + Line("Ali") + Line("Ali\r\nVeli").substr(0, 48), 1,
         ""},
        {"the header being written", kFile.substr(0, 12), 0, ""},
        {"the mark being written", kFile.substr(0, 2), 0, ""},
        {"another program's file", "Ad;Soyad\r\n", 0, "F.csv okunamad\xFD: PC1'in tutanak dosyas\xFD de\xF0il."},
        {"an older version's file taken on by a newer", older + olderLine + Line("Ali"), 2, ""},
        {"a line of neither version", older + olderLine.substr(11), 0,
         "F.csv, 2. sat\xFDr okunamad\xFD: 11 alan var, 12 olmal\xFD."},
        {"a line cut off by a crash", kFile + Line("Ali\r\nVeli") + "07.12.2026;14\r\n" + Line("Ali"), 2,
         "F.csv, 4. sat\xFDr okunamad\xFD: 2 alan var, 17 olmal\xFD."},
        {"a stray quote", kFile + "a\"b" + Line("").substr(1), 0,
         "F.csv, 2. sat\xFDr okunamad\xFD: t\xFDrnak i\xFE"
         "aretleri bozuk."},
        {"a line break without its CR", kFile + "a\nb" + Line("").substr(1), 0,
         "F.csv, 2. sat\xFDr okunamad\xFD: sat\xFDr sonu bozuk."},
        {"a count that is no number", kFile + "x;y;z;PC;1;A;B;x;1;1;1;a.rtf;0;0;id;;\r\n", 0,
         "F.csv, 2. sat\xFDr okunamad\xFD: say\xFDlar\xFD bozuk."},
    };
    for (const auto& c : cases) {
        const hall::DayRead read = hall::ReadRecordsFile("F.csv", c.bytes);
        EXPECT_EQ(read.lines.size(), c.lines) << c.name;
        EXPECT_EQ(read.faults, c.fault.empty() ? std::vector<std::string>() : std::vector{c.fault}) << c.name;
    }
}

TEST(DayResults, KnowsTheDayOnlyOfARecordsFileName) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"2026-12-07_PC07.csv", "2026-12-07"}, {"2028-02-29_A.CSV", "2028-02-29"},  {"notes.csv", std::nullopt},
        {"2026-13-07_x.csv", std::nullopt},    {"2027-02-29_A.csv", std::nullopt},  {"2026-12-07_.csv", std::nullopt},
        {"2026-12-07_PC07.txt", std::nullopt}, {"2026-12-7_PC07.csv", std::nullopt}};
    for (const auto& [name, day] : cases) EXPECT_EQ(hall::RecordsFileDay(name), day) << name;
}

// Lines as (name, exam id, correct, started, candidate number): wrong is 10 on every line, so net follows correct.
TEST(DayResults, RanksEachExamOnceAndSharesTies) {
    const auto line = [](std::string name, std::string id, int correct, std::string started, std::string number) {
        return hall::ResultLine{.started = started,
                                .candidateNumber = number,
                                .firstName = name,
                                .typed = correct + 10,
                                .correct = correct,
                                .wrong = 10,
                                .net = correct - 10,
                                .examId = id};
    };
    const std::vector<hall::RankedResult> ranked = hall::RankResults(
        {line("D", "4", 90, "10:05", "7"), line("B", "2", 100, "10:20", " 5"), line("A", "1", 100, "10:10", "5 "),
         line("B", "2", 100, "10:20", "5"), line("E", "", 80, "10:00", ""), line("F", "", 80, "10:00", ""),
         line("C", "3", 90, "10:00", "8")});
    std::string seen;
    for (const auto& r : ranked)
        seen += r.line.firstName + std::to_string(r.rank) + (r.candidateSeatedTwice ? "!" : "") + " ";
    EXPECT_EQ(seen, "A1! B1! C3 D3 E5 F5 ");
}

TEST(DayResults, SortsNamesInTurkishAndNumbersAsNumbers) {
    const auto with = [](ResultColumn column, std::string text) {
        hall::ResultLine line;
        (column == ResultColumn::Pc        ? line.pc
         : column == ResultColumn::Surname ? line.surname
                                           : line.candidateNumber) = text;
        return hall::RankedResult{line};
    };
    const std::tuple<ResultColumn, std::string, std::string> ordered[] = {
        {ResultColumn::Pc, "PC2", "PC10"},
        {ResultColumn::Pc, "PC1 - (PC9)", "pc1 - (PC10)"},
        {ResultColumn::Surname, "\xC3\xA7", "d"},
        {ResultColumn::Surname, "Y\xC4\xB1lmaz", "y\xC4\xB0LMAZ"},
        {ResultColumn::Surname, "\xC3\xBCz", "V"},
        {ResultColumn::Surname, "\xC4\x9F", "H"},
        {ResultColumn::Surname, "Zeki", "\xC3\xA9"},
        {ResultColumn::Surname, "\xC3\xA9", "\xFF"},
        {ResultColumn::CandidateNumber, "99", " 100"},
        {ResultColumn::CandidateNumber, "12a", "123"}};
    for (const auto& [column, before, after] : ordered) {
        EXPECT_TRUE(hall::ComesBefore(column, with(column, before), with(column, after))) << before;
        EXPECT_FALSE(hall::ComesBefore(column, with(column, after), with(column, before))) << before;
    }
    EXPECT_FALSE(hall::ComesBefore(ResultColumn::Surname, with(ResultColumn::Surname, "\xC3\x87\x41"),
                                   with(ResultColumn::Surname, "\xC3\xA7\x61")));
}

}  // namespace
