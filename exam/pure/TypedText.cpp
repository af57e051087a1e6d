#include "exam/pure/TypedText.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace exam {

namespace {

bool IsBlank(char byte) { return static_cast<unsigned char>(byte) <= ' '; }

bool IsLineBreakAt(std::string_view text, std::size_t position) {
    return position + 1 < text.size() && text[position] == '\r' && text[position + 1] == '\n';
}

}  // namespace

TypedText::Range TypedText::Normalised(Range range) const {
    range.start = std::min(range.start, text_.size());
    range.end = std::min(range.end, text_.size());
    if (range.start > range.end) std::swap(range.start, range.end);
    if (range.start > 0 && IsLineBreakAt(text_, range.start - 1)) --range.start;
    if (range.end > 0 && IsLineBreakAt(text_, range.end - 1)) ++range.end;
    return range;
}

std::optional<TypedText::Edit> TypedText::Type(Range selection, std::string_view characters) const {
    const Range range = Normalised(selection);
    std::string inserted;
    for (const char c : characters) {
        if (c == '\r' || c == '\n')
            inserted += "\r\n";
        else
            inserted += c;
    }
    if (inserted.empty() && range.start == range.end) return std::nullopt;
    return Edit{range.start, range.end - range.start, std::move(inserted)};
}

std::optional<TypedText::Edit> TypedText::Erase(Range selection, Direction direction, Reach reach) const {
    Range range = Normalised(selection);
    if (range.start == range.end) {
        std::size_t& moving = direction == Direction::Backward ? range.start : range.end;
        if (reach == Reach::Word && direction == Direction::Backward) {
            while (moving > 0 && IsBlank(text_[moving - 1])) --moving;
            while (moving > 0 && !IsBlank(text_[moving - 1])) --moving;
        } else if (reach == Reach::Word) {
            while (moving < text_.size() && !IsBlank(text_[moving])) ++moving;
            while (moving < text_.size() && IsBlank(text_[moving])) ++moving;
        } else if (direction == Direction::Backward && moving > 0) {
            moving -= moving >= 2 && IsLineBreakAt(text_, moving - 2) ? 2 : 1;
        } else if (direction == Direction::Forward && moving < text_.size()) {
            moving += IsLineBreakAt(text_, moving) ? 2 : 1;
        }
    }
    if (range.start == range.end) return std::nullopt;
    return Edit{range.start, range.end - range.start, {}};
}

std::size_t TypedText::Apply(const Edit& edit) {
    if (edit.start > text_.size() || edit.removed > text_.size() - edit.start)
        throw std::invalid_argument("an edit beyond the typed text");
    const auto removed = std::string_view(text_).substr(edit.start, edit.removed);
    lineBreaks_ -= static_cast<std::size_t>(std::ranges::count(removed, '\n'));
    lineBreaks_ += static_cast<std::size_t>(std::ranges::count(edit.inserted, '\n'));
    text_.replace(edit.start, edit.removed, edit.inserted);
    return SplitFrom(edit.start);
}

// The words that the splitter read up to the change stay; it reads on from where the last of them ended.
std::size_t TypedText::SplitFrom(std::size_t position) {
    while (!words_.empty() && words_.back().readOn >= position) words_.pop_back();
    const std::size_t kept = words_.size();
    std::vector<text::ReadWord> rest = text::SplitReadWords(text_, kept == 0 ? 0 : words_.back().readOn);
    std::ranges::move(rest, std::back_inserter(words_));
    return kept;
}

void TypedText::Clear() {
    text_.clear();
    lineBreaks_ = 0;
    words_.clear();
}

}  // namespace exam
