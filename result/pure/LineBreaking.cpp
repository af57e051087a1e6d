#include "result/pure/LineBreaking.h"

#include <string_view>

namespace result {

namespace {

// The paragraph's characters in one string, each with its style, measured in stretches of one style.
class StyledText {
public:
    StyledText(const Paragraph& paragraph, const TextMeasure& measure) : measure_(measure) {
        for (const TextRun& run : paragraph.runs) {
            chars_ += run.text;
            styles_.insert(styles_.end(), run.text.size(), run.style);
        }
    }

    std::size_t Size() const { return chars_.size(); }
    bool IsSpace(std::size_t i) const { return chars_[i] == ' '; }

    int Width(std::size_t begin, std::size_t end) const {
        int width = 0;
        ForEachStretch(begin, end, [&](std::size_t s, std::size_t e) { width += StretchWidth(s, e); });
        return width;
    }

    // The longest start of [begin, end) no wider than `width`, one character at least.
    std::size_t FittingLength(std::size_t begin, std::size_t end, int width) const {
        std::size_t low = 1, high = end - begin;
        while (low < high) {
            const std::size_t middle = (low + high + 1) / 2;
            if (Width(begin, begin + middle) <= width) {
                low = middle;
            } else {
                high = middle - 1;
            }
        }
        return low;
    }

    TextLine Line(std::size_t begin, std::size_t end, int width) const {
        TextLine line{{}, width};
        int x = 0;
        ForEachStretch(begin, end, [&](std::size_t s, std::size_t e) {
            line.runs.push_back({x, chars_.substr(s, e - s), styles_[s]});
            x += StretchWidth(s, e);
        });
        return line;
    }

private:
    template <class F>
    void ForEachStretch(std::size_t begin, std::size_t end, F&& f) const {
        for (std::size_t s = begin; s < end;) {
            std::size_t e = s + 1;
            while (e < end && styles_[e] == styles_[s]) ++e;
            f(s, e);
            s = e;
        }
    }

    int StretchWidth(std::size_t begin, std::size_t end) const {
        return measure_.Width(std::string_view(chars_).substr(begin, end - begin), styles_[begin]);
    }

    const TextMeasure& measure_;
    std::string chars_;
    std::vector<TextStyle> styles_;
};

}  // namespace

std::vector<TextLine> BreakLines(const Paragraph& paragraph, int width, const TextMeasure& measure) {
    const StyledText text(paragraph, measure);
    std::vector<TextLine> lines;
    std::size_t lineBegin = 0;
    int lineWidth = 0;     // spaces at its end included
    int lettersWidth = 0;  // to the end of its last letter
    const auto finishLine = [&](std::size_t end, int lettersEnd) {
        lines.push_back(text.Line(lineBegin, end, lettersEnd));
        lineBegin = end;
        lineWidth = lettersWidth = 0;
    };

    const std::size_t size = text.Size();
    for (std::size_t i = 0; i < size;) {
        std::size_t wordEnd = i;
        while (wordEnd < size && !text.IsSpace(wordEnd)) ++wordEnd;
        std::size_t spacesEnd = wordEnd;
        while (spacesEnd < size && text.IsSpace(spacesEnd)) ++spacesEnd;

        int wordWidth = text.Width(i, wordEnd);
        if (i > lineBegin && lineWidth + wordWidth > width) finishLine(i, lettersWidth);
        std::size_t wordBegin = i;
        while (wordBegin == lineBegin && wordWidth > width && wordEnd - wordBegin > 1) {
            const std::size_t length = text.FittingLength(wordBegin, wordEnd, width);
            finishLine(wordBegin + length, text.Width(wordBegin, wordBegin + length));
            wordBegin += length;
            wordWidth = text.Width(wordBegin, wordEnd);
        }
        if (wordEnd > wordBegin) lettersWidth = lineWidth + wordWidth;
        lineWidth += wordWidth + text.Width(wordEnd, spacesEnd);
        i = spacesEnd;
    }
    finishLine(size, lettersWidth);
    return lines;
}

}  // namespace result
