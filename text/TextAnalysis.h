// The text core: everything that decides a candidate's result.
// All text is Windows-1254 bytes; every length and position counts bytes.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace text {

using WordList = std::vector<std::string>;

// Turkish upper case, byte for byte; bytes outside the Turkish alphabet are copied unchanged.
std::string HarfDonustur(std::string_view text);

// Replaces punctuation by blanks without moving any other byte.
std::string NoktalamaTemizle(std::string_view text);

// Cuts a text into words at bytes 1-32; a double quote opens a quoted word; a byte 0 ends the text.
WordList SplitWords(std::string_view text);

// A word of SplitWords and where in the text it starts; a quoted word starts after its opening quote.
struct PlacedWord {
    std::size_t start;
    std::string text;
    friend bool operator==(const PlacedWord&, const PlacedWord&) = default;
};
std::vector<PlacedWord> SplitPlacedWords(std::string_view text);

// A word as the splitter reads it, with the position it reads on from, which is the last byte it looked at to see
// that the word had ended: a change of the text after `readOn` leaves the word as it is.
struct ReadWord {
    PlacedWord placed;
    std::size_t readOn;
};
// The words of the text from `from` on, where the splitter stands between two words.
std::vector<ReadWord> SplitReadWords(std::string_view text, std::size_t from);

// Scored word list of a text: its words after punctuation blanking.
WordList ScoredWords(std::string_view text);

struct ScoreResult {
    WordList sampleWords, typedWords, correctWords, wrongWords;
};

// Maps an upper-cased word to a key; two words are the same word exactly when their keys are equal.
using WordKey = std::function<std::string(std::string_view upperCasedWord)>;

// The portable key, equal where the platform's case-insensitive comparison reports equal.
std::string PortableWordKey(std::string_view upperCasedWord);

// A typed word is correct when some sample word is the same word after HarfDonustur on both sides.
ScoreResult ScoreWords(std::string_view sampleText, std::string_view typedText);
ScoreResult ScoreWords(std::string_view sampleText, std::string_view typedText, const WordKey& wordKey);

struct WordSpan {
    int start;
    int length;
    friend bool operator==(const WordSpan&, const WordSpan&) = default;
};

// Where the typed text's wrong words are: each wrong word, in order, at the next typed word after the previous
// one located that is the same word by the word key, the portable one unless another is given; a wrong word without
// such a typed word gives no span. Positions are those of the typed text, in which a CR LF counts two.
std::vector<WordSpan> LocateWrongWords(std::string_view typedText, const WordList& wrongWords);
std::vector<WordSpan> LocateWrongWords(std::string_view typedText, const WordList& wrongWords, const WordKey& wordKey);

}  // namespace text
