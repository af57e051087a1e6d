#include <algorithm>
#include <unordered_map>

#include "text/TextAnalysis.h"

namespace text {

std::vector<WordSpan> LocateWrongWords(std::string_view typedText, const WordList& wrongWords) {
    return LocateWrongWords(typedText, wrongWords, PortableWordKey);
}

// The typed words are those the scoring judged, split from the same blanked text, and blanking keeps every byte
// where it was; so a span is always a whole typed word, never a piece of a longer one such as "(b)", and the same
// key as the scoring's decides which typed words a wrong word stands for.
std::vector<WordSpan> LocateWrongWords(std::string_view typedText, const WordList& wrongWords, const WordKey& wordKey) {
    const std::vector<PlacedWord> typedWords = SplitPlacedWords(NoktalamaTemizle(typedText));
    // Where each key occurs among the typed words, in order: a wrong word not typed costs one look-up, not a walk.
    std::unordered_map<std::string, std::vector<std::size_t>> occurrences;
    for (std::size_t i = 0; i < typedWords.size(); ++i) {
        occurrences[wordKey(HarfDonustur(typedWords[i].text))].push_back(i);
    }
    std::vector<WordSpan> spans;
    std::size_t next = 0;
    for (const std::string& word : wrongWords) {
        const auto found = occurrences.find(wordKey(HarfDonustur(word)));
        if (found == occurrences.end()) {
            continue;
        }
        const auto at = std::ranges::lower_bound(found->second, next);
        if (at == found->second.end()) {
            continue;
        }
        const PlacedWord& typed = typedWords[*at];
        spans.push_back({static_cast<int>(typed.start), static_cast<int>(typed.text.size())});
        next = *at + 1;
    }
    return spans;
}

}  // namespace text
