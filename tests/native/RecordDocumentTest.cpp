#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "result/pure/RecordDocument.h"
#include "tests/core/Cp1254.h"

namespace {

using testing_text::Cp1254;

std::string Template() {
    std::ifstream file(PC1_SOURCE_DIR "/resources/TESTDOC.rtf", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

result::ExamRecord SampleRecord() {
    result::ExamRecord record;
    record.computer = "PC07";
    record.clockStarted = {2026, 12, 7, 14, 30, 12};
    record.clockEnded = {2026, 12, 7, 14, 33, 12};
    record.firstName = Cp1254("Ayşe");
    record.surname = Cp1254("Yılmaz");
    record.candidateNumber = "12345";
    record.typedText = "Bir iki\r\nuc";
    record.wrongWords = {{4, 3}};
    record.typed = 3, record.correct = 2, record.wrong = 1;
    return record;
}

// What a reader makes of the document: the text of each table cell, its underlined spans, and every control word.
struct ReadDocument {
    std::vector<std::string> cells;
    std::vector<std::vector<text::WordSpan>> underlined;
    std::set<std::string> controlWords;
    std::string belowTheTable;
    bool balanced = true;  // every group closed, none closed that was not open, nothing after the last
};

// A small RTF reader: groups, control words with their parameters and delimiting space, control symbols and \'xx.
// Text in destinations (\*, the font table) is not the document's text.
ReadDocument Read(std::string_view rtf) {
    ReadDocument read;
    std::string cell;
    std::vector<text::WordSpan> cellUnderlined;
    std::vector<bool> skipping{false};
    bool underline = false;
    const auto addText = [&](std::string_view text) {
        if (skipping.back()) return;
        const int at = static_cast<int>(cell.size()), length = static_cast<int>(text.size());
        if (underline && !cellUnderlined.empty() && cellUnderlined.back().start + cellUnderlined.back().length == at) {
            cellUnderlined.back().length += length;
        } else if (underline) {
            cellUnderlined.push_back({at, length});
        }
        cell += text;
    };
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size();) {
        const char c = rtf[i++];
        if (c == '{') {
            ++depth;
            skipping.push_back(skipping.back());
        } else if (c == '}') {
            skipping.pop_back();
            if (--depth < 0 || (depth == 0 && rtf.substr(i).find_first_not_of("\r\n") != std::string_view::npos)) {
                read.balanced = false;
                return read;
            }
        } else if (c == '\r' || c == '\n') {
        } else if (c != '\\') {
            addText(std::string(1, c));
        } else if (rtf[i] == '\'') {
            addText(std::string(1, static_cast<char>(std::stoi(std::string(rtf.substr(i + 1, 2)), nullptr, 16))));
            i += 3;
        } else if (!std::isalpha(static_cast<unsigned char>(rtf[i]))) {
            if (rtf[i] == '*')
                skipping.back() = true;
            else
                addText(std::string(1, rtf[i]));
            ++i;
        } else {
            std::string word;
            while (std::isalpha(static_cast<unsigned char>(rtf[i]))) word += rtf[i++];
            while (std::isdigit(static_cast<unsigned char>(rtf[i])) || rtf[i] == '-') ++i;
            if (rtf[i] == ' ') ++i;
            read.controlWords.insert(word);
            if (word == "fonttbl" || word == "info") skipping.back() = true;
            if (word == "line") addText("\r\n");
            if (word == "par") addText("\n");
            if (word == "tab") addText("\t");
            if (word == "ul") underline = true;
            if (word == "ulnone") underline = false;
            if (word == "cell") {
                read.cells.push_back(std::exchange(cell, {}));
                read.underlined.push_back(std::exchange(cellUnderlined, {}));
            }
        }
    }
    read.balanced = read.balanced && depth == 0;
    read.belowTheTable = cell;
    return read;
}

void Type(result::ExamRecord& record, std::string typedText) {
    record.typedText = std::move(typedText);
    record.wrongWords.clear();
}

// The cells of the template, in order.
enum Cell { kComputer, kPage, kDate, kStart, kEnd, kFirstName, kSurname, kNumber, kMetin = 9, kNet = 17, kChair = 21 };

TEST(RecordDocument, StartsWithATurkishHeaderAndNumbersItsPages) {
    const std::string rtf = result::RecordDocument(Template(), SampleRecord());
    EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi\\ansicpg1254\\deff0"));
    EXPECT_NE(rtf.find("\\fcharset162"), std::string::npos);
    EXPECT_NE(rtf.find("{\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}"), std::string::npos);
    EXPECT_NE(rtf.find("{\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 1}}"), std::string::npos);
    EXPECT_EQ(rtf.find('$'), std::string::npos) << "a placeholder left unfilled";
    EXPECT_EQ(rtf.find("\\info"), std::string::npos) << "no exam id, no comment";
    const ReadDocument read = Read(rtf);
    ASSERT_EQ(read.cells.size(), 24u);
    EXPECT_EQ(read.belowTheTable, "") << "an exam that ran through ends with the table";
    EXPECT_EQ(read.cells[kComputer], "PC07");
    EXPECT_EQ(read.cells[kPage], "Sayfa : 1 / 1");
    EXPECT_EQ(read.cells[kDate], Cp1254("Sınav Tarihi : 07.12.2026"));
    EXPECT_EQ(read.cells[kStart], Cp1254("Başlama Saati : 14:30:12"));
    EXPECT_EQ(read.cells[kEnd], Cp1254("Bitiş Saati : 14:33:12"));
    EXPECT_EQ(read.cells[kNumber], "Aday No : 12345");
    EXPECT_EQ((std::vector<std::string>(read.cells.begin() + 14, read.cells.begin() + 18)),
              (std::vector<std::string>{"3", "2", "1", "1"}));
}

// Whatever a field holds, the document keeps the template's structure and the reader gets the field back as it was.
TEST(RecordDocument, EveryValueStaysText) {
    const std::string anyTurkishLetter = Cp1254("çğıİöşüÇĞIÖŞÜ âÂ");
    const struct {
        std::string name;
        std::function<void(result::ExamRecord&)> change;
        int cell;
        std::string cellText;
        std::vector<text::WordSpan> cellUnderlined = {};
    } cases[] = {
        {"braces and backslashes", [](auto& r) { r.firstName = "{a}\\b\\\\c}"; }, kFirstName,
         Cp1254("Adı : ") + "{a}\\b\\\\c}"},
        {"every Turkish letter", [&](auto& r) { r.surname = anyTurkishLetter; }, kSurname,
         Cp1254("Soyadı : ") + anyTurkishLetter},
        {"a document started inside the text", [](auto& r) { Type(r, "}{\\rtf1\\ansi {\\b x}}}}"); }, kMetin,
         "}{\\rtf1\\ansi {\\b x}}}}"},
        {"paragraph control words", [](auto& r) { Type(r, "\\par\\pard\\cell\\row\\'41"); }, kMetin,
         "\\par\\pard\\cell\\row\\'41"},
        {"line breaks of every kind", [](auto& r) { Type(r, "a\r\nb\nc\rd\r\n\r\n"); }, kMetin,
         "a\r\nb\r\nc\r\nd\r\n\r\n"},
        {"a tab kept, other control bytes dropped",
         [](auto& r) { Type(r, std::string("a\tb\x01\x1B\x7F", 6) + '\0' + "c"); }, kMetin, "a\tbc"},
        {"empty typed text", [](auto& r) { Type(r, ""); }, kMetin, ""},
        {"wrong words underlined",
         [](auto& r) {
             r.typedText = "bir iki uc", r.wrongWords = {{0, 3}, {8, 2}};
         },
         kMetin,
         "bir iki uc",
         {{0, 3}, {8, 2}}},
        {"an underline to the end of the text",
         [](auto& r) {
             r.typedText = "x{y}", r.wrongWords = {{1, 3}};
         },
         kMetin,
         "x{y}",
         {{1, 3}}},
        {"the chair's name above the dotted line", [](auto& r) { r.board.chair = Cp1254("Ömer Şık"); }, kChair,
         Cp1254("\nÖmer Şık\n..............................\nİmza")},
        {"no chair: a blank line", [](auto& r) { r.board.chair.clear(); }, kChair,
         Cp1254("\n\n..............................\nİmza")},
        {"the second member", [](auto& r) { r.board.secondMember = "{}"; }, kChair + 2,
         Cp1254("\n{}\n..............................\nİmza")},
        {"more wrong than correct: a net of 0", [](auto& r) { r.correct = 3, r.wrong = 5; }, kNet, "0"},
        {"a dollar sign and a placeholder typed", [](auto& r) { r.computer = "$adi$ 5$"; }, kComputer, "$adi$ 5$"},
    };
    const std::string rows = Template();
    const std::set<std::string> templateWords = Read(result::RecordDocument(rows, SampleRecord())).controlWords;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        result::ExamRecord record = SampleRecord();
        c.change(record);
        const ReadDocument read = Read(result::RecordDocument(rows, record));
        EXPECT_TRUE(read.balanced);
        for (const std::string& word : read.controlWords) {
            EXPECT_TRUE(templateWords.contains(word) || word == "tab") << "\\" << word;
        }
        ASSERT_EQ(read.cells.size(), 24u);
        EXPECT_EQ(read.cells[c.cell], c.cellText);
        EXPECT_EQ(read.underlined[c.cell], c.cellUnderlined);
    }
}

TEST(RecordDocument, KeepsFiveThousandWordsWithTheirUnderlines) {
    result::ExamRecord record = SampleRecord();
    record.typedText.clear(), record.wrongWords.clear();
    const std::string word = Cp1254("çığ{İş}\\");
    for (int i = 0; i < 5000; ++i) {
        const int start = static_cast<int>(record.typedText.size());
        if (i % 7 == 3) record.wrongWords.push_back({start, static_cast<int>(word.size())});
        record.typedText += word + (i % 12 == 11 ? "\r\n" : " ");
    }
    const ReadDocument read = Read(result::RecordDocument(Template(), record));
    ASSERT_TRUE(read.balanced);
    ASSERT_EQ(read.cells.size(), 24u);
    EXPECT_EQ(read.cells[kMetin], record.typedText);
    EXPECT_EQ(read.underlined[kMetin], record.wrongWords);
}

// The exam id in the document's comment, out of its text; the interruptions in paragraphs of their own below the table,
// a time of another day with its date.
TEST(RecordDocument, NamesItsExamAndListsItsInterruptionsBelowTheTable) {
    result::ExamRecord record = SampleRecord();
    record.examId = "20261207-143012-7f3a09c2";
    record.interruptions = {{{2026, 12, 7, 14, 2, 31}, {2026, 12, 7, 14, 9, 10}, 72, false},
                            {{2026, 12, 7, 16, 58, 2}, {2026, 12, 8, 8, 10, 15}, 120, true}};
    record.journalProblem = "G\xFCnl\xFCk yaz\xFDlam\xFDyor: Eri\xFEim engellendi. (C:\\G\\a.pc1j)";
    const std::string rtf = result::RecordDocument(Template(), record);
    EXPECT_NE(rtf.find("{\\info{\\doccomm PC1 s\\'fdnav kimli\\'f0i: 20261207-143012-7f3a09c2}}"), std::string::npos);
    const ReadDocument read = Read(rtf);
    EXPECT_TRUE(read.balanced);
    EXPECT_EQ(read.cells.size(), 24u);
    EXPECT_EQ(read.belowTheTable,
              Cp1254("\nKesintiler:\n14:02:31 - 14:09:10 arasında kesildi; sınav kalan 1 dk 12 sn ile sürdürüldü.\n"
                     "16:58:02 - 08.12.2026 08:10:15 arasında kesildi; sınav olduğu gibi bitirildi (kalan 2 dk "
                     "yazılmadı).\nGünlük yazılamıyor: Erişim engellendi. (C:\\G\\a.pc1j); sınav bir kesintiden sonra "
                     "geri getirilemezdi.\n"));
}

}  // namespace
