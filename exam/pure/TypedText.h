// The candidate's typed text as the exam keeps it. Every key that types or erases changes it here first; the typing
// area only shows it, scoring and the record read it from here, and a typing area that anyone else changed is put
// back from it. Each change is one Edit, small enough to write down as it happens.
//
// Positions count bytes of Windows-1254 with a CR LF line break as two, as the typing area counts its characters;
// a position inside a CR LF pair is taken as the pair's start (or, for the end of a range, its end).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/TextAnalysis.h"

namespace exam {

class TypedText {
public:
    struct Range {
        std::size_t start = 0, end = 0;
    };
    // `removed` bytes at `start` replaced by `inserted`.
    struct Edit {
        std::size_t start = 0;
        std::size_t removed = 0;
        std::string inserted;
        friend bool operator==(const Edit&, const Edit&) = default;
    };
    enum class Direction { Backward, Forward };
    enum class Reach { Character, Word };

    const std::string& Text() const { return text_; }
    std::size_t Size() const { return text_.size(); }
    std::size_t LineBreaks() const { return lineBreaks_; }
    // The words of SplitWords of the text, kept as the text changes at the cost of the words a change touches.
    std::size_t WordCount() const { return words_.size(); }
    const std::string& Word(std::size_t index) const { return words_[index].placed.text; }

    // What typing `characters` over the selection changes; Enter's CR and Ctrl+Enter's LF each make a CR LF.
    std::optional<Edit> Type(Range selection, std::string_view characters) const;
    // What Backspace (backward) or Delete (forward) changes: the selection, or else the character or line break
    // beside the caret, or with Ctrl the rest of the word and the blanks up to it.
    std::optional<Edit> Erase(Range selection, Direction direction, Reach reach) const;

    // Returns the first word the edit changed: the words before it are as they were.
    std::size_t Apply(const Edit& edit);
    void Clear();

private:
    Range Normalised(Range range) const;
    std::size_t SplitFrom(std::size_t position);

    std::string text_;
    std::size_t lineBreaks_ = 0;
    std::vector<text::ReadWord> words_;
};

}  // namespace exam
