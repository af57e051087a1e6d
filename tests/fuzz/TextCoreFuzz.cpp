// libFuzzer target over the text core. The first byte of an input says where the rest is cut into a sample and a
// typed text; every function of the core must keep its promises on both. A broken promise aborts, and libFuzzer
// saves the input that broke it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tests/reference/LinearWalkScorer.h"
#include "text/BlankedTextSearch.h"
#include "text/TextAnalysis.h"

namespace {

// The linear walk is quadratic; beyond this the fuzzer would spend its time there.
constexpr std::size_t kLinearWalkLimit = 1024;

// The punctuation the scoring ignores, written out again here as the oracle for NoktalamaTemizle.
constexpr std::string_view kPunctuation = ".,:;!-\"'\x91\x92\x93\x94\x96\x97\x85";

void Check(bool holds, const char* promise) {
    if (!holds) {
        std::fprintf(stderr, "Broken: %s\n", promise);
        std::abort();
    }
}

bool IsPunctuation(char byte) { return kPunctuation.find(byte) != std::string_view::npos; }

bool IsAsciiLetterOrDigit(char byte) {
    return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

// Two texts are the same word for the search when they are once upper-cased and keyed.
std::string SearchKey(std::string_view word) { return text::PortableWordKey(text::HarfDonustur(word)); }

void CheckBlankingAndCase(std::string_view input) {
    const std::string blanked = text::NoktalamaTemizle(input);
    Check(blanked.size() == input.size(), "blanking keeps the length");
    for (std::size_t i = 0; i < input.size(); ++i)
        Check(blanked[i] == (IsPunctuation(input[i]) ? ' ' : input[i]), "blanking touches only punctuation");

    const std::string upper = text::HarfDonustur(input);
    Check(upper.size() == input.size(), "upper-casing keeps the length");
    Check(text::HarfDonustur(upper) == upper, "upper-casing twice changes nothing more");
}

void CheckSplitting(std::string_view input) {
    for (const std::string& word : text::SplitWords(input))
        Check(word.find('\0') == std::string::npos, "a byte 0 ends the text");

    const std::string blanked = text::NoktalamaTemizle(input);
    const std::string_view beforeNul = std::string_view(blanked).substr(0, blanked.find('\0'));
    std::size_t at = 0;
    for (const std::string& word : text::ScoredWords(input)) {
        Check(!word.empty(), "scored words are not empty");
        Check(std::ranges::none_of(word, [](char c) { return static_cast<unsigned char>(c) <= ' '; }),
              "scored words hold no byte 0-32");
        at = beforeNul.find(word, at);
        Check(at != std::string_view::npos, "scored words come from the blanked text, in order");
        at += word.size();
    }
}

void CheckScoring(std::string_view sample, std::string_view typed) {
    const text::ScoreResult result = text::ScoreWords(sample, typed);
    Check(result.sampleWords == text::ScoredWords(sample), "sample words are the sample's scored words");
    Check(result.typedWords == text::ScoredWords(typed), "typed words are the typed text's scored words");

    std::size_t correct = 0, wrong = 0;
    for (const std::string& word : result.typedWords) {
        if (correct < result.correctWords.size() && result.correctWords[correct] == word)
            ++correct;
        else if (wrong < result.wrongWords.size() && result.wrongWords[wrong] == word)
            ++wrong;
        else
            Check(false, "every typed word is correct or wrong, in the typed order");
    }
    Check(correct == result.correctWords.size() && wrong == result.wrongWords.size(),
          "correct and wrong words are exactly the typed words");

    if (sample.size() + typed.size() <= kLinearWalkLimit) {
        const text::ScoreResult walked = reference::LinearWalkScore(sample, typed, text::PortableWordKey);
        Check(result.correctWords == walked.correctWords && result.wrongWords == walked.wrongWords,
              "scoring agrees with the linear walk");
    }
}

// The portable search, keeping every search it was asked for and its answer.
class RecordingSearch final : public text::WordSearchBuffer {
public:
    struct Search {
        std::string word;
        int from, to, found;
    };

    void SetText(std::string_view text) override {
        text_ = text;
        search_.SetText(text);
    }
    int TextLength() const override { return search_.TextLength(); }
    int FindWholeWord(std::string_view word, int from, int to) const override {
        const int found = search_.FindWholeWord(word, from, to);
        searches_.push_back({std::string(word), from, to, found});
        return found;
    }

    const std::string& Text() const { return text_; }
    const std::vector<Search>& Searches() const { return searches_; }

private:
    text::BlankedTextSearch search_;
    std::string text_;
    mutable std::vector<Search> searches_;
};

// `scored`: the words come from the scoring of `typed`, so they hold no punctuation.
void CheckWrongWordSpans(std::string_view typed, const text::WordList& words, bool scored) {
    RecordingSearch search;
    const std::vector<text::WordSpan> spans = text::LocateWrongWords(typed, words, search);
    Check(spans == text::LocateWrongWords(typed, words), "the default buffer is the portable search");
    Check(search.Text() == text::NoktalamaTemizle(typed), "the search runs in the blanked typed text");

    const std::string_view blanked = search.Text();
    std::vector<text::WordSpan> found;
    for (const RecordingSearch::Search& s : search.Searches()) {
        if (s.found < 0) continue;
        const auto start = static_cast<std::size_t>(s.found), end = start + s.word.size();
        Check(s.found >= s.from && static_cast<int>(end) <= s.to && end <= blanked.size(),
              "a match lies inside the searched range and the text");
        Check(SearchKey(blanked.substr(start, s.word.size())) == SearchKey(s.word),
              "the text at a match is the word, ignoring letter case");
        Check((start == 0 || !IsAsciiLetterOrDigit(blanked[start - 1])) &&
                  (end == blanked.size() || !IsAsciiLetterOrDigit(blanked[end])),
              "a match is a whole word");
        if (scored)
            Check(typed.substr(start, s.word.size()) == blanked.substr(start, s.word.size()),
                  "a wrong word's span holds no punctuation");
        found.push_back({s.found, static_cast<int>(s.word.size())});
    }
    Check(spans == found, "the spans are the matches, in order");
    for (std::size_t i = 1; i < spans.size(); ++i)
        Check(spans[i].start >= spans[i - 1].start + spans[i - 1].length, "spans follow one another");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t cut = rest.size() * data[0] / 256;
    const std::string_view sample = rest.substr(0, cut), typed = rest.substr(cut);

    CheckBlankingAndCase(rest);
    CheckSplitting(rest);
    CheckScoring(sample, typed);
    CheckWrongWordSpans(typed, text::ScoreWords(sample, typed).wrongWords, true);
    // Words that never went through the scoring: with blanks, quotes and punctuation inside.
    CheckWrongWordSpans(typed, text::SplitWords(sample), false);
    return 0;
}
