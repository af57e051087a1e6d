// The plain scoring walk: each typed word is checked against the sample words in order and the first match makes it
// correct. Tests hold the real scorer to it and the benchmark times it for comparison.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/TextAnalysis.h"

namespace reference {

inline text::ScoreResult LinearWalkScore(std::string_view sampleText, std::string_view typedText,
                                         const text::WordKey& wordKey) {
    text::ScoreResult result;
    result.sampleWords = text::ScoredWords(sampleText);
    result.typedWords = text::ScoredWords(typedText);
    std::vector<std::string> sampleKeys;
    for (const std::string& word : result.sampleWords) {
        sampleKeys.push_back(wordKey(text::HarfDonustur(word)));
    }
    for (const std::string& word : result.typedWords) {
        const std::string typedKey = wordKey(text::HarfDonustur(word));
        bool correct = false;
        for (const std::string& sampleKey : sampleKeys) {
            if (sampleKey == typedKey) {
                correct = true;
                break;
            }
        }
        (correct ? result.correctWords : result.wrongWords).push_back(word);
    }
    return result;
}

}  // namespace reference
