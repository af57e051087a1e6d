#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "result/pure/RecordInterruptions.h"
#include "result/pure/RecordPages.h"
#include "result/pure/RecordPlaceholders.h"
#include "tests/core/Cp1254.h"

namespace {

using result::Alignment;
using result::Paragraph;
using result::RecordField;
using result::TextRun;
using result::TextStyle;
using testing_text::Cp1254;

constexpr TextStyle kPlain{}, kBold{true, false}, kUnderlined{false, true};

result::RecordTable RecordTemplate() {
    std::ifstream file(PC1_SOURCE_DIR "/resources/TESTDOC.rtf", std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return result::ParseRecordTemplate(bytes.str());
}

std::string CellText(const result::TableCell& cell) {
    std::string text;
    for (const Paragraph& paragraph : cell.paragraphs) {
        if (&paragraph != &cell.paragraphs.front()) text += '|';
        for (const TextRun& run : paragraph.runs) text += run.text;
    }
    return text;
}

TEST(RecordTemplate, ReadsTheRecordsRowsCellsAndParagraphs) {
    const result::RecordTable table = RecordTemplate();
    ASSERT_EQ(table.rows.size(), 9u);
    const struct {
        std::size_t row;
        std::vector<int> rightEdges;
        bool bordered;
        int minHeight;
        std::vector<std::string> cellTexts;  // paragraphs parted by '|'
    } rows[] = {
        {0, {4819, 9638}, false, 0, {"$pc$", "Sayfa : $s$ / $t$"}},
        {1,
         {3212, 6425, 9638},
         true,
         0,
         {Cp1254("Sınav Tarihi : $tarih$"), Cp1254("Başlama Saati : $BsSaat$"), Cp1254("Bitiş Saati : $BtSaat$")}},
        {3, {9638}, true, 0, {Cp1254("3 Dakikalık Daktilo / Bilgisayar Yazısı")}},
        {4, {9638}, true, 7200, {"$metin$"}},
        {8,
         {3212, 6425, 9638},
         false,
         1400,
         {Cp1254("|$baskan$|..............................|İmza"),
          Cp1254("|$uye1$|..............................|İmza"),
          Cp1254("|$uye2$|..............................|İmza")}},
    };
    for (const auto& expected : rows) {
        SCOPED_TRACE(expected.row);
        const result::TableRow& row = table.rows[expected.row];
        EXPECT_EQ(row.gapTwips, 108);
        EXPECT_EQ(row.minHeightTwips, expected.minHeight);
        ASSERT_EQ(row.cells.size(), expected.rightEdges.size());
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            const result::CellBorders borders = row.cells[c].borders;
            EXPECT_EQ(row.cells[c].rightTwips, expected.rightEdges[c]);
            const result::CellBorders expectedBorders =
                expected.bordered ? result::CellBorders{true, true, true, true, 10} : result::CellBorders{};
            EXPECT_EQ(borders, expectedBorders);
            EXPECT_EQ(CellText(row.cells[c]), expected.cellTexts[c]);
        }
    }
    const Paragraph& title = table.rows[3].cells[0].paragraphs[0];
    EXPECT_EQ(title.alignment, Alignment::Center);
    EXPECT_EQ(title.runs.back().style, kBold);
    EXPECT_EQ(table.rows[4].cells[0].paragraphs[0].alignment, Alignment::Left);
}

TEST(RecordPlaceholders, FillNamedFieldsInTheirSurroundingsStyle) {
    const struct {
        std::string name;
        std::vector<Paragraph> paragraphs;
        std::vector<RecordField> fields;
        std::vector<Paragraph> expected;
    } cases[] = {
        {"a field in a label",
         {{Alignment::Left, {{"Ad : $adi$.", kPlain}}}},
         {{"adi", Cp1254("Şule"), {}}},
         {{Alignment::Left, {{Cp1254("Ad : Şule."), kPlain}}}}},
        {"a bold field stays bold; a placeholder without a field stays as written",
         {{Alignment::Center, {{"$pc$ $s$ / $t$", kBold}}}},
         {{"pc", "PC-07", {}}},
         {{Alignment::Center, {{"PC-07 $s$ / $t$", kBold}}}}},
        {"dollar signs around no name are text",
         {{Alignment::Left, {{"5 $ / $pc$ $", kPlain}}}},
         {{"pc", "A", {}}},
         {{Alignment::Left, {{"5 $ / A $", kPlain}}}}},
        {"underlined spans become underlined runs",
         {{Alignment::Left, {{"[$metin$]", kPlain}}}},
         {{"metin", "bir iki uc", {{4, 3}, {8, 2}}}},
         {{Alignment::Left,
           {{"[bir ", kPlain}, {"iki", kUnderlined}, {" ", kPlain}, {"uc", kUnderlined}, {"]", kPlain}}}}},
        {"line breaks part paragraphs of the same alignment, an empty line kept, a tab becomes a space",
         {{Alignment::Right, {{"<$metin$>", kPlain}}}},
         {{"metin", "bir\r\n\r\niki\tuc\nson", {}}},
         {{Alignment::Right, {{"<bir", kPlain}}},
          {Alignment::Right, {}},
          {Alignment::Right, {{"iki uc", kPlain}}},
          {Alignment::Right, {{"son>", kPlain}}}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(result::FillPlaceholders(c.paragraphs, c.fields), c.expected) << c.name;
    }
}

// Widths as a printer at 300 dpi gives them for a 10-point face, in round figures.
class FixedWidths : public result::TextMeasure {
public:
    int Width(std::string_view text, TextStyle style) const override {
        return static_cast<int>(text.size()) * (style.bold ? 26 : 24);
    }
    int LineHeight() const override { return 48; }
};

// A4 at 300 dpi with 2 cm margins. The record's text gets 1962 units a line: 11 words of "kelime " (168 units
// each); the first page has room for 57 lines below the rows above the text, later pages 61.
const result::PageGeometry kA4{2479, 3508, 236, 236, 236, 236, 300, 300};
constexpr int kHeadingTop = 236 + 8;  // top margin and the cell's padding

std::string Repeated(std::string_view piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += piece;
    return text;
}

std::vector<RecordField> Fields(const std::string& typed, std::vector<text::WordSpan> underlined = {}) {
    return {{"pc", "PC-07", {}},         {"tarih", "07.12.2026", {}},
            {"BsSaat", "10:00:00", {}},  {"BtSaat", "10:03:00", {}},
            {"adi", Cp1254("Şule"), {}}, {"soyadi", Cp1254("Yılmaz"), {}},
            {"adayno", "1234", {}},      {"metin", typed, std::move(underlined)},
            {"yazilan", "5000", {}},     {"dogru", "4990", {}},
            {"yanlis", "10", {}},        {"sonuc", "4980", {}}};
}

std::string WithoutLineBreaks(std::string text) {
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return text;
}

TEST(RecordPages, EveryTypedCharacterOnceUnderAHeadingOnEveryPage) {
    const std::string turkish = Cp1254("çğıİöşüÇĞÖŞÜ ");
    const struct {
        std::string name;
        std::string typed;
        std::size_t pages;
    } cases[] = {
        {"nothing typed", "", 1},
        {"twenty words", Repeated("kelime ", 20), 1},
        {"57 lines fill the first page and push the rows below the text to the second", Repeated("kelime ", 627), 2},
        {"5,000 words: 455 lines, 57 on the first page, 61 on each of six more, 32 on the last",
         Repeated("kelime ", 5000), 8},
        {"a word wider than the cell, broken between letters", Repeated("x", 3000), 1},
        {"Turkish letters, paragraphs and empty lines, spaces in a row: 112 lines, the signatures on a third page",
         Repeated(turkish, 300) + "\r\n\r\n" + Repeated(turkish + "  son\r\n", 60), 3},
    };
    const FixedWidths measure;
    const result::RecordTable recordTemplate = RecordTemplate();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<RecordField> fields = Fields(c.typed, {{0, 6}, {14, 6}});
        const auto pages = result::LayOutPages(FillPlaceholders(recordTemplate, fields), kA4, measure);
        ASSERT_EQ(pages.size(), c.pages);
        for (std::size_t p = 0; p < pages.size(); ++p) {
            std::string heading, all;
            for (const result::PlacedText& text : pages[p].texts) {
                all += text.text + '|';
                if (text.y == kHeadingTop) heading += text.text;
                EXPECT_GE(text.x, kA4.marginLeft);
                EXPECT_LE(text.x + measure.Width(text.text.substr(0, text.text.find_last_not_of(' ') + 1), text.style),
                          kA4.width - kA4.marginRight);
                EXPECT_GE(text.y, kA4.marginTop);
                EXPECT_LE(text.y + measure.LineHeight(), kA4.height - kA4.marginBottom);
            }
            EXPECT_EQ(heading, "PC-07Sayfa : " + std::to_string(p + 1) + " / " + std::to_string(pages.size()));
            // Captions stay on the page of the rows they head.
            EXPECT_EQ(all.find("|4990|") != std::string::npos, all.find(Cp1254("|Doğru|")) != std::string::npos);
            EXPECT_EQ(all.find(Cp1254("|İmza|")) != std::string::npos, all.find(Cp1254("|Üye|")) != std::string::npos);
        }

        // The heading row and the text's row alone: below each page's heading line lies nothing but the text.
        result::RecordTable headingAndText = recordTemplate;
        headingAndText.rows = {recordTemplate.rows[0], recordTemplate.rows[4]};
        std::string printed;
        std::string underlined;
        for (const result::RecordPage& page : LayOutPages(FillPlaceholders(headingAndText, fields), kA4, measure)) {
            for (const result::PlacedText& text : page.texts) {
                if (text.y == kHeadingTop) continue;
                printed += text.text;
                if (text.style.underlined) underlined += text.text + '|';
            }
        }
        EXPECT_EQ(printed, WithoutLineBreaks(c.typed));
        if (c.typed.size() >= 20) {
            EXPECT_EQ(underlined, c.typed.substr(0, 6) + '|' + c.typed.substr(14, 6) + '|');
        }
    }
}

// Wherever the table ends, the interruptions' caption stays on the page of their first line, and each line prints once.
TEST(RecordPages, InterruptionsFollowTheTableUnderTheirCaption) {
    result::ExamRecord record;
    record.clockStarted = {2026, 12, 7, 14, 0, 0};
    record.interruptions.assign(3, {{2026, 12, 7, 14, 2, 31}, {2026, 12, 7, 14, 9, 10}, 72, false});
    const std::string line = result::InterruptionLines(record).front();
    for (int typedLines = 40; typedLines <= 70; ++typedLines) {
        record.typedText = Repeated("kelime\r\n", typedLines);
        std::vector<std::pair<std::size_t, std::string>> below;  // each text below the table with its page
        const auto pages = result::LayOutPages(result::FilledRecord(RecordTemplate(), record), kA4, FixedWidths());
        for (std::size_t p = 0; p < pages.size(); ++p) {
            for (const result::PlacedText& text : pages[p].texts)
                if (text.text == result::InterruptionsCaption(record) || text.text == line)
                    below.push_back({p, text.text});
        }
        ASSERT_EQ(below.size(), 4u) << typedLines;
        EXPECT_EQ(below[0], std::pair(below[1].first, std::string(result::InterruptionsCaption(record)))) << typedLines;
    }
}

}  // namespace
