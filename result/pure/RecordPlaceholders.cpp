#include "result/pure/RecordPlaceholders.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "result/pure/RecordInterruptions.h"

namespace result {

namespace {

class ParagraphWriter {
public:
    explicit ParagraphWriter(Alignment alignment) : current_{alignment, {}} {}

    void Put(char c, TextStyle style) {
        if (current_.runs.empty() || current_.runs.back().style != style) current_.runs.push_back({{}, style});
        current_.runs.back().text.push_back(c);
    }
    void Put(std::string_view text, TextStyle style) {
        for (const char c : text) Put(c, style);
    }
    void Break() {
        const Alignment alignment = current_.alignment;
        done_.push_back(std::exchange(current_, Paragraph{alignment, {}}));
    }
    void PutField(const RecordField& field, TextStyle style) {
        std::vector<bool> underlined(field.text.size(), false);
        for (const text::WordSpan& span : field.underlined) {
            const auto begin = static_cast<std::size_t>(std::max(span.start, 0));
            const auto end =
                std::min(field.text.size(), static_cast<std::size_t>(std::max(span.start + span.length, 0)));
            for (std::size_t k = begin; k < end; ++k) underlined[k] = true;
        }
        const std::string& text = field.text;
        for (std::size_t k = 0; k < text.size(); ++k) {
            const char c = text[k];
            if (c == '\r' || c == '\n') {
                if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
                Break();
            } else {
                TextStyle charStyle = style;
                charStyle.underlined = style.underlined || underlined[k];
                Put(static_cast<unsigned char>(c) < 0x20 ? ' ' : c, charStyle);
            }
        }
    }
    std::vector<Paragraph> Finish() {
        done_.push_back(std::move(current_));
        return std::move(done_);
    }

private:
    Paragraph current_;
    std::vector<Paragraph> done_;
};

const RecordField* FindField(std::span<const RecordField> fields, std::string_view name) {
    const auto found = std::find_if(fields.begin(), fields.end(), [&](const auto& f) { return f.placeholder == name; });
    return found == fields.end() ? nullptr : &*found;
}

bool IsPlaceholderName(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    });
}

void FillRun(const TextRun& run, std::span<const RecordField> fields, ParagraphWriter& out) {
    const std::string_view text = run.text;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t open = text.find('$', i);
        const std::size_t close = open == std::string_view::npos ? open : text.find('$', open + 1);
        if (close == std::string_view::npos) {
            out.Put(text.substr(i), run.style);
            return;
        }
        out.Put(text.substr(i, open - i), run.style);
        const std::string_view name = text.substr(open + 1, close - open - 1);
        if (!IsPlaceholderName(name)) {
            out.Put('$', run.style);
            i = open + 1;
        } else if (const RecordField* field = FindField(fields, name)) {
            out.PutField(*field, run.style);
            i = close + 1;
        } else {
            out.Put(text.substr(open, close - open + 1), run.style);
            i = close + 1;
        }
    }
}

}  // namespace

std::vector<Paragraph> FillPlaceholders(const std::vector<Paragraph>& paragraphs, std::span<const RecordField> fields) {
    std::vector<Paragraph> filled;
    for (const Paragraph& paragraph : paragraphs) {
        ParagraphWriter out(paragraph.alignment);
        for (const TextRun& run : paragraph.runs) FillRun(run, fields, out);
        for (Paragraph& p : out.Finish()) filled.push_back(std::move(p));
    }
    return filled;
}

RecordTable FillPlaceholders(const RecordTable& table, std::span<const RecordField> fields) {
    RecordTable filled = table;
    for (TableRow& row : filled.rows) {
        for (TableCell& cell : row.cells) cell.paragraphs = FillPlaceholders(cell.paragraphs, fields);
    }
    return filled;
}

// The interruptions as the table's last rows, each one cell without borders as wide as the table: the caption in a
// row of its own, which the pages keep with the lines below it, then the lines as running text.
RecordTable FilledRecord(const RecordTable& recordTemplate, const ExamRecord& record) {
    RecordTable filled = FillPlaceholders(recordTemplate, RecordFields(record));
    const std::vector<std::string> lines = InterruptionLines(record);
    if (lines.empty() || filled.rows.empty() || filled.rows.back().cells.empty()) return filled;
    const TableRow& last = filled.rows.back();
    const TableRow belowTheTable{last.leftTwips, last.gapTwips, 0, {{last.cells.back().rightTwips, {}, {}}}};
    TableRow caption = belowTheTable, list = belowTheTable;
    caption.cells[0].paragraphs = {{},
                                   {Alignment::Left, {{std::string(InterruptionsCaption(record)), {.bold = true}}}}};
    for (const std::string& line : lines) list.cells[0].paragraphs.push_back({Alignment::Left, {{line, {}}}});
    filled.rows.push_back(std::move(caption));
    filled.rows.push_back(std::move(list));
    return filled;
}

}  // namespace result
