#include <unordered_set>

#include "text/TextAnalysis.h"

namespace text {

ScoreResult ScoreWords(std::string_view sampleText, std::string_view typedText) {
    return ScoreWords(sampleText, typedText, PortableWordKey);
}

ScoreResult ScoreWords(std::string_view sampleText, std::string_view typedText, const WordKey& wordKey) {
    ScoreResult result;
    result.sampleWords = ScoredWords(sampleText);
    result.typedWords = ScoredWords(typedText);
    std::unordered_set<std::string> sampleKeys;
    sampleKeys.reserve(result.sampleWords.size());
    for (const std::string& word : result.sampleWords) {
        sampleKeys.insert(wordKey(HarfDonustur(word)));
    }
    for (const std::string& word : result.typedWords) {
        WordList& list = sampleKeys.contains(wordKey(HarfDonustur(word))) ? result.correctWords : result.wrongWords;
        list.push_back(word);
    }
    return result;
}

}  // namespace text
