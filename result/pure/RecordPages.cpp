#include "result/pure/RecordPages.h"

#include <algorithm>
#include <string_view>

#include "result/pure/ExamRecord.h"
#include "result/pure/LineBreaking.h"
#include "result/pure/RecordPlaceholders.h"

namespace result {

namespace {

constexpr int kCellPaddingTwips = 40;  // above and below the text of a cell
constexpr std::size_t kLeastLinesBeforeBreak = 2;
// The page count is guessed, the heading row laid out with it and the pages counted again; a count that changes
// the heading's height changes at most once more.
constexpr int kPageCountRounds = 4;

int TwipsToDevice(int twips, int dpi) { return static_cast<int>((static_cast<long long>(twips) * dpi + 720) / 1440); }

struct CellLayout {
    int left = 0, right = 0;  // the cell's edges
    int textLeft = 0;
    int barWidth = 0;  // the thickness of its borders
    CellBorders borders;
    std::vector<std::pair<int, TextLine>> lines;  // each line with its distance from textLeft
};

struct RowLayout {
    std::vector<CellLayout> cells;
    std::size_t lineCount = 0;  // of its fullest cell
    int minHeight = 0;
    bool breaks = false;   // a row of one cell: running text
    bool caption = false;  // all its text bold: it heads the row below it
};

// A stretch of a row's lines on one page.
struct RowPart {
    const RowLayout* row;
    std::size_t first, end;
    int height;
};

bool IsCaption(const TableRow& row) {
    bool anyText = false;
    for (const TableCell& cell : row.cells) {
        for (const Paragraph& paragraph : cell.paragraphs) {
            for (const TextRun& run : paragraph.runs) {
                if (run.text.find_first_not_of(' ') == std::string::npos) continue;
                if (!run.style.bold) return false;
                anyText = true;
            }
        }
    }
    return anyText;
}

class PageLayout {
public:
    PageLayout(const PageGeometry& page, const TextMeasure& measure)
        : page_(page),
          measure_(measure),
          lineHeight_(std::max(1, measure.LineHeight())),
          padding_(TwipsToDevice(kCellPaddingTwips, page.dpiY)) {}

    RowLayout LayOutRow(const TableRow& row) const {
        RowLayout laidOut;
        laidOut.minHeight = TwipsToDevice(row.minHeightTwips, page_.dpiY);
        laidOut.breaks = row.cells.size() == 1;
        laidOut.caption = IsCaption(row);
        const int gap = TwipsToDevice(row.gapTwips, page_.dpiX);
        int leftTwips = row.leftTwips;
        for (const TableCell& cell : row.cells) {
            CellLayout c;
            c.left = page_.marginLeft + TwipsToDevice(leftTwips, page_.dpiX);
            c.right = page_.marginLeft + TwipsToDevice(row.leftTwips + cell.rightTwips, page_.dpiX);
            c.textLeft = c.left + gap;
            c.borders = cell.borders;
            c.barWidth = std::max(1, TwipsToDevice(cell.borders.widthTwips, page_.dpiX));
            const int textWidth = std::max(1, c.right - c.left - 2 * gap);
            for (const Paragraph& paragraph : cell.paragraphs) {
                for (TextLine& line : BreakLines(paragraph, textWidth, measure_)) {
                    const int room = std::max(0, textWidth - line.width);
                    const int x = paragraph.alignment == Alignment::Center  ? room / 2
                                  : paragraph.alignment == Alignment::Right ? room
                                                                            : 0;
                    c.lines.emplace_back(x, std::move(line));
                }
            }
            laidOut.lineCount = std::max(laidOut.lineCount, c.lines.size());
            laidOut.cells.push_back(std::move(c));
            leftTwips = row.leftTwips + cell.rightTwips;
        }
        return laidOut;
    }

    int LinesHeight(std::size_t lines) const { return 2 * padding_ + static_cast<int>(lines) * lineHeight_; }

    int Height(const RowLayout& row) const { return std::max(row.minHeight, LinesHeight(row.lineCount)); }

    // The body rows' parts, page by page, below a heading row of the given height.
    std::vector<std::vector<RowPart>> Paginate(const std::vector<RowLayout>& rows, int headingHeight) const {
        const int top = page_.marginTop + headingHeight;
        const int bottom = page_.height - page_.marginBottom;
        std::vector<std::vector<RowPart>> pages(1);
        int y = top;
        const auto newPage = [&] {
            pages.emplace_back();
            y = top;
        };
        for (const RowLayout& row : rows) {
            std::size_t first = 0;
            int heightBefore = 0;  // of the row's parts on earlier pages
            for (;;) {
                const bool pageEmpty = pages.back().empty();
                const int height = std::max(row.minHeight - heightBefore, LinesHeight(row.lineCount - first));
                if (y + height <= bottom) {
                    pages.back().push_back({&row, first, row.lineCount, height});
                    y += height;
                    break;
                }
                std::size_t fitting = static_cast<std::size_t>(std::max(0, (bottom - y - 2 * padding_) / lineHeight_));
                if (pageEmpty) fitting = std::max<std::size_t>(fitting, 1);
                if (row.breaks && fitting < row.lineCount - first && (fitting >= kLeastLinesBeforeBreak || pageEmpty)) {
                    const int partHeight = LinesHeight(fitting);
                    pages.back().push_back({&row, first, first + fitting, partHeight});
                    first += fitting;
                    heightBefore += partHeight;
                    newPage();
                    continue;
                }
                if (!pageEmpty) {
                    // A caption left last on the page goes along with the row it heads.
                    std::vector<RowPart> carried;
                    if (pages.back().size() > 1 && pages.back().back().row->caption) {
                        carried.push_back(pages.back().back());
                        pages.back().pop_back();
                    }
                    newPage();
                    for (const RowPart& part : carried) {
                        pages.back().push_back(part);
                        y += part.height;
                    }
                    continue;
                }
                // Taller than an empty page and not running text: its least height ends at the page's edge.
                pages.back().push_back({&row, first, row.lineCount, std::max(bottom - y, LinesHeight(0))});
                y = bottom;
                break;
            }
        }
        return pages;
    }

    void Place(const RowPart& part, int y, RecordPage& page) const {
        for (const CellLayout& cell : part.row->cells) {
            const int bar = cell.barWidth, width = cell.right - cell.left + bar, height = part.height + bar;
            if (cell.borders.top) page.bars.push_back({cell.left, y, width, bar});
            if (cell.borders.bottom) page.bars.push_back({cell.left, y + part.height, width, bar});
            if (cell.borders.left) page.bars.push_back({cell.left, y, bar, height});
            if (cell.borders.right) page.bars.push_back({cell.right, y, bar, height});
            const std::size_t end = std::min(part.end, cell.lines.size());
            for (std::size_t i = part.first; i < end; ++i) {
                const auto& [x, line] = cell.lines[i];
                const int top = y + padding_ + static_cast<int>(i - part.first) * lineHeight_;
                for (const LineRun& run : line.runs) {
                    page.texts.push_back({cell.textLeft + x + run.x, top, run.text, run.style});
                }
            }
        }
    }

private:
    const PageGeometry& page_;
    const TextMeasure& measure_;
    int lineHeight_;
    int padding_;
};

TableRow NumberedHeading(const TableRow& heading, std::size_t pageNumber, std::size_t pageCount) {
    const RecordField numbers[] = {{"s", std::to_string(pageNumber), {}}, {"t", std::to_string(pageCount), {}}};
    TableRow numbered = heading;
    for (TableCell& cell : numbered.cells) cell.paragraphs = FillPlaceholders(cell.paragraphs, numbers);
    return numbered;
}

}  // namespace

std::vector<RecordPage> LayOutPages(const RecordTable& filled, const PageGeometry& page, const TextMeasure& measure) {
    if (filled.rows.empty()) return {RecordPage{}};
    const PageLayout layout(page, measure);
    std::vector<RowLayout> body;
    for (std::size_t i = 1; i < filled.rows.size(); ++i) body.push_back(layout.LayOutRow(filled.rows[i]));

    const auto headings = [&](std::size_t pageCount) {
        std::vector<RowLayout> numbered;
        for (std::size_t n = 1; n <= pageCount; ++n) {
            numbered.push_back(layout.LayOutRow(NumberedHeading(filled.rows.front(), n, pageCount)));
        }
        return numbered;
    };
    int headingHeight = 0;
    std::vector<std::vector<RowPart>> pages;
    for (int round = 0; round < kPageCountRounds; ++round) {
        const std::size_t pageCount = pages.empty() ? 1 : pages.size();
        for (const RowLayout& heading : headings(pageCount)) {
            headingHeight = std::max(headingHeight, layout.Height(heading));
        }
        pages = layout.Paginate(body, headingHeight);
        if (pages.size() == pageCount) break;
    }

    const std::vector<RowLayout> numberedHeadings = headings(pages.size());
    std::vector<RecordPage> printed(pages.size());
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const RowLayout& heading = numberedHeadings[p];
        layout.Place({&heading, 0, heading.lineCount, headingHeight}, page.marginTop, printed[p]);
        int y = page.marginTop + headingHeight;
        for (const RowPart& part : pages[p]) {
            layout.Place(part, y, printed[p]);
            y += part.height;
        }
    }
    return printed;
}

}  // namespace result
