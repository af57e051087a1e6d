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

// A buffer that holds the blanked typed text and finds whole words in it, ignoring letter case.
// The Windows program backs it with a hidden rich-edit control so that positions are the typing area's.
class WordSearchBuffer {
public:
    virtual ~WordSearchBuffer() = default;
    virtual void SetText(std::string_view text) = 0;
    virtual int TextLength() const = 0;
    // Start of the first whole-word match lying within [from, to), or -1.
    virtual int FindWholeWord(std::string_view word, int from, int to) const = 0;
};

// Finds the wrong words, in order, at successive places of the typed text; a word not found gives no span.
std::vector<WordSpan> LocateWrongWords(std::string_view typedText, const WordList& wrongWords);
std::vector<WordSpan> LocateWrongWords(std::string_view typedText, const WordList& wrongWords,
                                       WordSearchBuffer& buffer);

}  // namespace text
