#include <gtest/gtest.h>

#include <string>

#include "result/pure/RecordFileNames.h"
#include "result/pure/RecordsFile.h"
#include "tests/core/Cp1254.h"

namespace {

using testing_text::Cp1254;

result::ExamRecord SampleRecord() {
    result::ExamRecord record;
    record.computer = "PC07";
    record.computerName = "PC07";
    record.clockStarted = {2026, 12, 7, 14, 30, 12};
    record.clockEnded = {2026, 12, 7, 14, 33, 12};
    record.firstName = Cp1254("Ayşe");
    record.surname = Cp1254("Yılmaz");
    record.candidateNumber = "12345";
    record.typed = 250, record.correct = 240, record.wrong = 10;
    return record;
}

TEST(RecordsFile, HeaderNamesTheColumnsInTurkish) {
    EXPECT_EQ(result::RecordsFileHeader(),
              "Tarih;Başlama;Bitiş;Bilgisayar;Aday No;Adı;Soyadı;Yazılan;Doğru;Yanlış;Sonuç;Tutanak;Kesinti;"
              "Kesinti Süresi (sn);Sınav Kimliği;Salon Özeti;Günlük Sorunu\r\n");
    EXPECT_EQ(result::kUtf8ByteOrderMark, "\xEF\xBB\xBF");
}

// The first name stands for every text field: what a candidate enters reaches the supervisor's Excel as text.
TEST(RecordsFile, LineKeepsEveryFieldInItsColumnAndRunsNothing) {
    const struct {
        std::string name, firstName, column;
    } cases[] = {
        {"a plain name", Cp1254("Ayşe"), "Ayşe"},
        {"every Turkish letter in UTF-8", Cp1254("çğıİöşüÇĞIÖŞÜ"), "çğıİöşüÇĞIÖŞÜ"},
        {"an empty name", "", ""},
        {"a semicolon", "Ali;Veli", "\"Ali;Veli\""},
        {"double quotes", "Ali \"Can\"", "\"Ali \"\"Can\"\"\""},
        {"a line break", "Ali\r\nVeli", "\"Ali\r\nVeli\""},
        {"a formula", "=HYPERLINK(\"http://x\";\"y\")", "\"'=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\""},
        {"a plus", "+1+2", "\"'+1+2\""},
        {"a minus", "-2+3", "\"'-2+3\""},
        {"an at sign", "@SUM(A1)", "\"'@SUM(A1)\""},
        {"a leading tab", "\t=1", "\"'\t=1\""},
        {"a leading carriage return", "\r=1", "\"'\r=1\""},
        {"a formula sign inside the name runs nothing", "Ali=1", "Ali=1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        result::ExamRecord record = SampleRecord();
        record.firstName = c.firstName;
        EXPECT_EQ(result::RecordsFileLine(record, "2026-12-07_143012_PC07_12345.rtf"),
                  "07.12.2026;14:30:12;14:33:12;PC07;12345;" + c.column +
                      ";Yılmaz;250;240;10;230;2026-12-07_143012_PC07_12345.rtf;0;0;;;\r\n");
    }
}

// After the document's name: the interruptions, the wall-clock seconds they took (6 min 39 s, 2 min 30 s past
// midnight, none for a clock set back), the exam id, the hall's digest and the journal's problem.
TEST(RecordsFile, LineEndsWithTheInterruptionsTheExamIdAndTheHallsDigest) {
    const result::LocalTime t1402{2026, 12, 7, 14, 2, 31}, t1409{2026, 12, 7, 14, 9, 10};
    result::ExamRecord record = SampleRecord();
    record.examId = "20261207-143012-7f3a09c2";
    record.interruptions = {
        {t1402, t1409, 72, false}, {{2026, 12, 7, 23, 59, 0}, {2026, 12, 8, 0, 1, 30}, 30, true}, {t1409, t1402, 9}};
    record.hallDigest = "3f0c";
    record.journalProblem = "G\xFCnl\xFCk yaz\xFDlam\xFDyor";
    EXPECT_TRUE(result::RecordsFileLine(record, "a.rtf")
                    .ends_with(";a.rtf;3;549;20261207-143012-7f3a09c2;3f0c;Günlük yazılamıyor\r\n"));
}

// A line is known by its exam id alone, in its own column: an exam kept again adds none, any other exam its own.
TEST(RecordsFile, AdditionHoldsEachExamOnce) {
    const std::string id = "20261207-143012-7f3a09c2";
    const auto exam = [](std::string examId, std::string firstName = "Ali") {
        result::ExamRecord record = SampleRecord();
        record.examId = std::move(examId), record.firstName = std::move(firstName);
        return record;
    };
    const auto line = [&](auto... fields) { return result::RecordsFileLine(exam(fields...), "a.rtf"); };
    const std::string header = std::string(result::kUtf8ByteOrderMark) + result::RecordsFileHeader();
    const std::vector<std::string> columns = result::RecordsFileColumns();
    const std::string olderHeader =
        result::RecordsFileRow(std::span(columns).first(result::kRecordsFileColumnCounts[0]));
    const struct {
        std::string name, file, addition;
    } cases[] = {
        {"a new file: the mark and the header first", "", header + line(id)},
        {"the exam's line there", header + line("other") + line(id) + line("next"), ""},
        {"another exam's line", header + line("other"), line(id)},
        {"the exam's line in a file an older version began", olderHeader + line(id), ""},
        {"the id in a name, between quotes", header + line("", "\r\n;;;;;;;;;;;;;;" + id + "\r\n"), line(id)},
        {"a last line cut off in its id", header + line(id).substr(0, line(id).size() - 4), "\r\n" + line(id)},
    };
    for (const auto& c : cases) EXPECT_EQ(result::RecordsFileAddition(c.file, exam(id), "a.rtf"), c.addition) << c.name;
}

TEST(RecordFileNames, HoldOnlyWhatWindowsAllows) {
    const struct {
        std::string name, computer, candidateNumber;
        int copyNumber;
        std::string recordFileName, recordsFileName;
    } cases[] = {
        {"plain", "PC07", "12345", 1, "2026-12-07_143012_PC07_12345.rtf", "2026-12-07_PC07.csv"},
        {"a second record of the same name", "PC07", "12345", 2, "2026-12-07_143012_PC07_12345_2.rtf",
         "2026-12-07_PC07.csv"},
        {"characters Windows refuses", "a<b>c:d\"e/f\\g|h?i*j", "1\x01\t2", 1,
         "2026-12-07_143012_a_b_c_d_e_f_g_h_i_j_1__2.rtf", "2026-12-07_a_b_c_d_e_f_g_h_i_j.csv"},
        {"dots and spaces at the ends", " .PC 7. ", "..", 1, "2026-12-07_143012_PC 7_.rtf", "2026-12-07_PC 7.csv"},
        {"Turkish letters in UTF-8", Cp1254("Sınıf-Ğ"), Cp1254("İş"), 1, "2026-12-07_143012_Sınıf-Ğ_İş.rtf",
         "2026-12-07_Sınıf-Ğ.csv"},
        {"a long number cut short", "PC", std::string(60, '9'), 1,
         "2026-12-07_143012_PC_" + std::string(40, '9') + ".rtf", "2026-12-07_PC.csv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        result::ExamRecord record = SampleRecord();
        record.computerName = c.computer;
        record.candidateNumber = c.candidateNumber;
        EXPECT_EQ(result::RecordFileName(record, c.copyNumber), c.recordFileName);
        EXPECT_EQ(result::RecordsFileName(record.clockStarted, c.computer), c.recordsFileName);
    }
}

}  // namespace
