// Scoring treats two words as the same word when their keys are equal. Both keys must agree with
// Windows' CompareString on every pair of upper-cased Windows-1254 words, or a candidate's result would
// depend on which path scored it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/WordComparison.h"
#include "text/TextAnalysis.h"

namespace {

// Every single word byte, and each of them between two letters, upper-cased as scoring does.
std::vector<std::string> UpperCasedWords() {
    std::vector<std::string> words;
    for (int byte = 0x21; byte <= 0xFF; ++byte) {
        const std::string b(1, static_cast<char>(byte));
        words.push_back(text::HarfDonustur(b));
        words.push_back(text::HarfDonustur("K" + b + "M"));
    }
    words.push_back("KM");
    return words;
}

std::string Show(const std::string& word) {
    std::string shown;
    for (unsigned char c : word) {
        char hex[8];
        std::snprintf(hex, sizeof hex, c >= 0x21 && c < 0x7F ? "%c" : "\\x%02X", c);
        shown += hex;
    }
    return shown;
}

}  // namespace

TEST(WordKey, SortKeyAndPortableKeyAgreeWithCompareString) {
    const auto words = UpperCasedWords();
    std::vector<std::string> sortKeys, portableKeys;
    for (const auto& w : words) {
        sortKeys.push_back(platform::WordSortKey(w));
        portableKeys.push_back(text::PortableWordKey(w));
    }
    int sortKeyMismatches = 0, portableMismatches = 0;
    for (size_t i = 0; i < words.size(); ++i)
        for (size_t j = i + 1; j < words.size(); ++j) {
            const bool equal = platform::WordsEqual(words[i], words[j]);
            if ((sortKeys[i] == sortKeys[j]) != equal && ++sortKeyMismatches <= 10)
                ADD_FAILURE() << "sort key disagrees on " << Show(words[i]) << " / " << Show(words[j]);
            if ((portableKeys[i] == portableKeys[j]) != equal && ++portableMismatches <= 40)
                ADD_FAILURE() << "portable key disagrees on " << Show(words[i]) << " / " << Show(words[j])
                              << " (CompareString says " << (equal ? "equal" : "different") << ")";
        }
    EXPECT_EQ(sortKeyMismatches, 0);
    EXPECT_EQ(portableMismatches, 0);
}
