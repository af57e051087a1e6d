#include "result/pure/RecordTable.h"

#include <cctype>
#include <charconv>
#include <stdexcept>
#include <utility>

namespace result {

namespace {

struct ControlWord {
    std::string_view name;
    int parameter = 1;  // RTF's meaning of a control word written without one: \b is \b1
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    throw std::invalid_argument("a \\' escape of the record template is not followed by two hex digits");
}

// Builds the table as the template's words arrive.
class TableBuilder {
public:
    void Control(const ControlWord& word) {
        const std::string_view name = word.name;
        if (name == "trowd") {
            row_ = TableRow{};
            pendingBorders_ = {};
            cellIndex_ = 0;
        } else if (name == "trleft") {
            row_.leftTwips = word.parameter;
        } else if (name == "trgaph") {
            row_.gapTwips = word.parameter;
        } else if (name == "trrh") {
            row_.minHeightTwips = word.parameter < 0 ? -word.parameter : word.parameter;  // negative: exact height
        } else if (name == "clbrdrt") {
            pendingSide_ = &pendingBorders_.top;
        } else if (name == "clbrdrl") {
            pendingSide_ = &pendingBorders_.left;
        } else if (name == "clbrdrb") {
            pendingSide_ = &pendingBorders_.bottom;
        } else if (name == "clbrdrr") {
            pendingSide_ = &pendingBorders_.right;
        } else if (name == "brdrs" && pendingSide_) {
            *pendingSide_ = true;
        } else if (name == "brdrw" && pendingSide_) {
            if (word.parameter > pendingBorders_.widthTwips) pendingBorders_.widthTwips = word.parameter;
        } else if (name == "cellx") {
            row_.cells.push_back({word.parameter, pendingBorders_, {}});
            pendingBorders_ = {};
            pendingSide_ = nullptr;
        } else if (name == "pard") {
            paragraph_.alignment = Alignment::Left;
        } else if (name == "ql") {
            paragraph_.alignment = Alignment::Left;
        } else if (name == "qc") {
            paragraph_.alignment = Alignment::Center;
        } else if (name == "qr") {
            paragraph_.alignment = Alignment::Right;
        } else if (name == "b") {
            style_.bold = word.parameter != 0;
        } else if (name == "ul") {
            style_.underlined = word.parameter != 0;
        } else if (name == "ulnone") {
            style_.underlined = false;
        } else if (name == "plain") {
            style_ = {};
        } else if (name == "par") {
            EndParagraph();
        } else if (name == "cell") {
            EndCell();
        } else if (name == "row") {
            table_.rows.push_back(std::exchange(row_, TableRow{}));
            cellIndex_ = 0;
        }
    }

    void Text(char c) {
        if (paragraph_.runs.empty() || paragraph_.runs.back().style != style_) paragraph_.runs.push_back({{}, style_});
        paragraph_.runs.back().text.push_back(c);
    }

    void OpenGroup() { savedStyles_.push_back(style_); }
    void CloseGroup() {
        if (savedStyles_.empty()) return;
        style_ = savedStyles_.back();
        savedStyles_.pop_back();
    }

    RecordTable Take() { return std::move(table_); }

private:
    void EndParagraph() {
        cellParagraphs_.push_back(std::move(paragraph_));
        paragraph_ = Paragraph{cellParagraphs_.back().alignment, {}};
    }

    void EndCell() {
        EndParagraph();
        if (cellIndex_ >= row_.cells.size()) {
            throw std::invalid_argument("a row of the record template holds more cells than its \\cellx define");
        }
        row_.cells[cellIndex_++].paragraphs = std::exchange(cellParagraphs_, {});
    }

    RecordTable table_;
    TableRow row_;
    std::size_t cellIndex_ = 0;
    CellBorders pendingBorders_;
    bool* pendingSide_ = nullptr;
    std::vector<Paragraph> cellParagraphs_;
    Paragraph paragraph_;
    TextStyle style_;
    std::vector<TextStyle> savedStyles_;
};

}  // namespace

RecordTable ParseRecordTemplate(std::string_view rtf) {
    TableBuilder builder;
    std::size_t i = 0;
    const auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    const auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    while (i < rtf.size()) {
        const char c = rtf[i];
        if (c == '{') {
            builder.OpenGroup();
            ++i;
        } else if (c == '}') {
            builder.CloseGroup();
            ++i;
        } else if (c == '\r' || c == '\n') {
            ++i;  // line breaks of the file are not text
        } else if (c != '\\') {
            builder.Text(c);
            ++i;
        } else if (i + 1 < rtf.size() && rtf[i + 1] == '\'') {
            if (i + 3 >= rtf.size()) {
                throw std::invalid_argument("the record template ends inside a \\' escape");
            }
            builder.Text(static_cast<char>(HexDigit(rtf[i + 2]) * 16 + HexDigit(rtf[i + 3])));
            i += 4;
        } else if (i + 1 < rtf.size() && isLetter(rtf[i + 1])) {
            ControlWord word;
            std::size_t end = i + 1;
            while (end < rtf.size() && isLetter(rtf[end])) ++end;
            word.name = rtf.substr(i + 1, end - i - 1);
            std::size_t numberEnd = end;
            if (numberEnd < rtf.size() && rtf[numberEnd] == '-') ++numberEnd;
            while (numberEnd < rtf.size() && isDigit(rtf[numberEnd])) ++numberEnd;
            if (numberEnd > end && isDigit(rtf[numberEnd - 1])) {
                std::from_chars(rtf.data() + end, rtf.data() + numberEnd, word.parameter);
                end = numberEnd;
            }
            if (end < rtf.size() && rtf[end] == ' ') ++end;  // the delimiting space belongs to the word
            builder.Control(word);
            i = end;
        } else if (i + 1 < rtf.size()) {
            const char symbol = rtf[i + 1];
            if (symbol == '\\' || symbol == '{' || symbol == '}') builder.Text(symbol);
            if (symbol == '~') builder.Text(' ');
            i += 2;
        } else {
            ++i;
        }
    }
    return builder.Take();
}

}  // namespace result
