#include "hall/pure/ResultsSheet.h"

#include <algorithm>
#include <array>
#include <string>

#include "text/Cp1254Unicode.h"

namespace hall {

namespace {

using result::Alignment;
using result::Paragraph;
using result::TableCell;
using result::TableRow;
using result::TextStyle;

// A4's width within its 2 cm margins, as the record's own rows span it.
constexpr int kLineTwips = 9638;
constexpr int kGapTwips = 60;
constexpr int kBorderTwips = 10;
constexpr TextStyle kPlain{}, kBold{true};
constexpr char kSeatedTwiceNote[] = "* Bu aday numaras\xFD listede birden \xE7ok kay\xFDtta ge\xE7iyor.";

struct Column {
    std::string_view title;  // Windows-1254
    int widthTwips;
    Alignment alignment;
};
constexpr std::array kColumns = {
    Column{"S\xFDra", 460, Alignment::Right},      Column{"Aday No", 800, Alignment::Left},
    Column{"Ad\xFD", 950, Alignment::Left},        Column{"Soyad\xFD", 950, Alignment::Left},
    Column{"Bilgisayar", 1000, Alignment::Left},   Column{"Ba\xFElama", 760, Alignment::Left},
    Column{"Yaz\xFDlan", 700, Alignment::Right},   Column{"Do\xF0ru", 640, Alignment::Right},
    Column{"Yanl\xFD\xFE", 640, Alignment::Right}, Column{"Net", 460, Alignment::Right},
    Column{"Kesinti", 640, Alignment::Right},      Column{kVerdictTitle, 1638, Alignment::Left},
};
Paragraph Text(std::string cp1254, TextStyle style, Alignment alignment = Alignment::Left) {
    return {alignment, {{std::move(cp1254), style}}};
}

std::string Cp1254(std::string_view utf8) { return text::Utf8ToCp1254(utf8).text; }

TableRow Row(std::span<const std::string> texts, TextStyle style, bool bordered) {
    TableRow row{.gapTwips = kGapTwips, .cells = {}};
    int right = 0;
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        right += kColumns[i].widthTwips;
        TableCell cell{right, {}, {Text(texts[i], style, kColumns[i].alignment)}};
        if (bordered) cell.borders = {true, true, true, true, kBorderTwips};
        row.cells.push_back(std::move(cell));
    }
    return row;
}

TableRow Heading(std::string_view day) {
    return {.gapTwips = kGapTwips,
            .minHeightTwips = 500,
            .cells = {{kLineTwips * 2 / 3, {}, {Text("S\xFDnav sonu\xE7lar\xFD - " + std::string(day), kBold)}},
                      {kLineTwips, {}, {Text("Sayfa $s$ / $t$", kPlain, Alignment::Right)}}}};
}

// Three signature lines side by side, each with its name and office below it.
TableRow Signatures(const config::ExamBoard& board) {
    const std::array<std::pair<std::string_view, std::string_view>, 3> signers = {{
        {board.chair, "S\xFDnav Kurulu Ba\xFEkan\xFD"},
        {board.firstMember, "\xDCye"},
        {board.secondMember, "\xDCye"},
    }};
    TableRow row{.gapTwips = kGapTwips, .minHeightTwips = 1400, .cells = {}};
    for (std::size_t i = 0; i < signers.size(); ++i) {
        row.cells.push_back(
            {static_cast<int>(kLineTwips * (i + 1) / signers.size()),
             {},
             {Text("", kPlain), Text("", kPlain), Text("........................", kPlain, Alignment::Center),
              Text(std::string(signers[i].first), kBold, Alignment::Center),
              Text(std::string(signers[i].second), kPlain, Alignment::Center)}});
    }
    return row;
}

}  // namespace

result::RecordTable ResultsSheet(std::span<const RankedResult> results, const config::ExamBoard& board,
                                 std::string_view day) {
    result::RecordTable sheet;
    sheet.rows.push_back(Heading(day));
    std::array<std::string, kColumns.size()> texts;
    for (std::size_t i = 0; i < kColumns.size(); ++i) texts[i] = kColumns[i].title;
    sheet.rows.push_back(Row(texts, kBold, true));
    for (const RankedResult& result : results) {
        const ResultLine& line = result.line;
        texts = {result.rank ? std::to_string(result.rank) : "-",
                 Cp1254(line.candidateNumber) + (result.candidateSeatedTwice ? " *" : ""),
                 Cp1254(line.firstName),
                 Cp1254(line.surname),
                 Cp1254(line.pc),
                 Cp1254(line.started),
                 std::to_string(line.typed),
                 std::to_string(line.correct),
                 std::to_string(line.wrong),
                 std::to_string(line.net),
                 line.interruptions ? std::to_string(line.interruptions) : std::string(),
                 result.verdict.text};
        sheet.rows.push_back(Row(texts, kPlain, true));
    }
    if (std::ranges::any_of(results, &RankedResult::candidateSeatedTwice))
        sheet.rows.push_back({.gapTwips = kGapTwips,
                              .minHeightTwips = 400,
                              .cells = {{kLineTwips, {}, {Text(kSeatedTwiceNote, kPlain)}}}});
    sheet.rows.push_back(Signatures(board));
    return sheet;
}

}  // namespace hall
