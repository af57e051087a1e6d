#include <utility>

#include "text/TextAnalysis.h"

namespace text {
namespace {

// Reads the text as if it were followed by a byte 0, which ends it.
class ByteReader {
public:
    ByteReader(std::string_view text, std::size_t from) : text_(text), pos_(from) {}

    unsigned char Peek(std::size_t ahead = 0) const {
        const std::size_t at = pos_ + ahead;
        return at < text_.size() ? static_cast<unsigned char>(text_[at]) : 0;
    }
    void Skip(std::size_t count = 1) { pos_ += count; }
    std::size_t Position() const { return pos_; }

private:
    std::string_view text_;
    std::size_t pos_;
};

bool IsSeparator(unsigned char byte) { return byte >= 1 && byte <= ' '; }

// Starts after the opening quote; a doubled quote stands for one quote, and a missing closing quote takes the rest.
std::string ReadQuotedWord(ByteReader& reader) {
    std::string word;
    for (unsigned char byte = reader.Peek(); byte != 0; byte = reader.Peek()) {
        if (byte == '"') {
            if (reader.Peek(1) != '"') {
                reader.Skip();
                break;
            }
            reader.Skip();
        }
        word.push_back(static_cast<char>(byte));
        reader.Skip();
    }
    return word;
}

std::string ReadPlainWord(ByteReader& reader) {
    std::string word;
    for (unsigned char byte = reader.Peek(); byte > ' '; byte = reader.Peek()) {
        word.push_back(static_cast<char>(byte));
        reader.Skip();
    }
    return word;
}

}  // namespace

std::vector<ReadWord> SplitReadWords(std::string_view text, std::size_t from) {
    std::vector<ReadWord> words;
    ByteReader reader(text, from);
    while (true) {
        while (IsSeparator(reader.Peek())) {
            reader.Skip();
        }
        if (reader.Peek() == 0) {
            return words;
        }
        const bool quoted = reader.Peek() == '"';
        if (quoted) {
            reader.Skip();
        }
        const std::size_t start = reader.Position();
        std::string word = quoted ? ReadQuotedWord(reader) : ReadPlainWord(reader);
        words.push_back({{start, std::move(word)}, reader.Position()});
    }
}

std::vector<PlacedWord> SplitPlacedWords(std::string_view text) {
    std::vector<PlacedWord> words;
    for (ReadWord& word : SplitReadWords(text, 0)) {
        words.push_back(std::move(word.placed));
    }
    return words;
}

WordList SplitWords(std::string_view text) {
    std::vector<PlacedWord> placed = SplitPlacedWords(text);
    WordList words;
    words.reserve(placed.size());
    for (PlacedWord& word : placed) {
        words.push_back(std::move(word.text));
    }
    return words;
}

WordList ScoredWords(std::string_view text) { return SplitWords(NoktalamaTemizle(text)); }

}  // namespace text
