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
#include "text/TextAnalysis.h"

namespace {

// The linear walks are quadratic; beyond this the fuzzer would spend its time there.
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

// Two texts are the same word when they are the same once upper-cased and keyed.
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

// Where the words of a blanked text lie, found without the splitter: runs of bytes above 32 before any byte 0.
std::vector<text::WordSpan> WordRuns(std::string_view blanked) {
    const std::size_t end = std::min(blanked.find('\0'), blanked.size());
    const auto inWord = [blanked](std::size_t at) { return static_cast<unsigned char>(blanked[at]) > ' '; };
    std::vector<text::WordSpan> runs;
    for (std::size_t at = 0; at < end;) {
        if (!inWord(at)) {
            ++at;
            continue;
        }
        const std::size_t start = at;
        while (at < end && inWord(at)) ++at;
        runs.push_back({static_cast<int>(start), static_cast<int>(at - start)});
    }
    return runs;
}

// Each word at the first run after the previous one located that is the same word; a word without one is skipped.
std::vector<text::WordSpan> WalkedSpans(std::string_view blanked, const text::WordList& words) {
    const std::vector<text::WordSpan> runs = WordRuns(blanked);
    std::vector<std::string> runKeys;
    for (const text::WordSpan& run : runs) runKeys.push_back(SearchKey(blanked.substr(run.start, run.length)));
    std::vector<text::WordSpan> spans;
    std::size_t next = 0;
    for (const std::string& word : words) {
        const auto found =
            std::find(runKeys.begin() + static_cast<std::ptrdiff_t>(next), runKeys.end(), SearchKey(word));
        if (found == runKeys.end()) continue;
        next = static_cast<std::size_t>(found - runKeys.begin());
        spans.push_back(runs[next++]);
    }
    return spans;
}

// `scored`: the words are the wrong words of the scoring of `typed`.
void CheckWrongWordSpans(std::string_view typed, const text::WordList& words, bool scored, bool walk) {
    const std::vector<text::WordSpan> spans = text::LocateWrongWords(typed, words);
    if (walk) Check(spans == WalkedSpans(text::NoktalamaTemizle(typed), words), "the spans are the plain walk's");
    if (!scored) return;
    Check(spans.size() == words.size(), "every wrong word of the scoring is located");
    for (std::size_t i = 0; i < spans.size(); ++i)
        Check(typed.substr(spans[i].start, spans[i].length) == words[i],
              "each wrong word is located at itself, and its span holds no punctuation");
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
    const bool walk = size <= kLinearWalkLimit;
    CheckWrongWordSpans(typed, text::ScoreWords(sample, typed).wrongWords, true, walk);
    // Words that never went through the scoring: with blanks, quotes and punctuation inside.
    CheckWrongWordSpans(typed, text::SplitWords(sample), false, walk);
    return 0;
}
