#include <gtest/gtest.h>

#include <random>

#include "tests/core/Cp1254.h"
#include "tests/reference/LinearWalkScorer.h"
#include "text/TextAnalysis.h"

namespace {

using testing_text::Cp1254;

text::WordList Words(std::initializer_list<const char*> utf8Words) {
    text::WordList words;
    for (const char* word : utf8Words) {
        words.push_back(Cp1254(word));
    }
    return words;
}

TEST(ScoreWords, SortsTypedWordsIntoCorrectAndWrong) {
    const struct {
        const char* name;
        const char* sample;
        const char* typed;
        text::WordList correct, wrong;
    } kCases[] = {
        {"order and repeats are the typist's", "Bir iki üç.", "iki Bir dört iki", Words({"iki", "Bir", "iki"}),
         Words({"dört"})},
        {"Turkish case", "iki", "İKİ ikİ IKI ıkı", Words({"İKİ", "ikİ"}), Words({"IKI", "ıkı"})},
        {"punctuation is not part of the word", "kalem", "kalem, kalem?", Words({"kalem"}), Words({"kalem?"})},
        {"foreign letters in any case", "Façade señor", "FAÇADE SEÑOR facade", Words({"FAÇADE", "SEÑOR"}),
         Words({"facade"})},
        {"typographic punctuation in the sample",
         "“Günaydın!” dedi. Türkiye’nin Kim bilir…",
         "\"Günaydın!\" dedi. Türkiye'nin Kim bilir...",
         Words({"Günaydın", "dedi", "Türkiye", "nin", "Kim", "bilir"}),
         {}},
        {"empty sample", "", "bir", {}, Words({"bir"})},
        {"nothing typed", "bir", "", {}, {}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        const text::ScoreResult result = text::ScoreWords(Cp1254(c.sample), Cp1254(c.typed));
        EXPECT_EQ(result.sampleWords, text::ScoredWords(Cp1254(c.sample)));
        EXPECT_EQ(result.typedWords, text::ScoredWords(Cp1254(c.typed)));
        EXPECT_EQ(result.correctWords, c.correct);
        EXPECT_EQ(result.wrongWords, c.wrong);
    }
}

// Texts of words from a small vocabulary, in varying case, with typos and punctuation around them.
std::string RandomText(std::mt19937& random, int wordCount) {
    static const text::WordList kVocabulary = Words({"kalem", "kitap", "ırmak", "istanbul", "İzmir", "çiçek", "ağaç",
                                                     "şeker", "göz", "üzüm", "hâlâ", "IŞIK", "façade", "œuvre", "ev"});
    static const text::WordList kMarks = Words({"", "", "", ".", ",", "?", "(", "\"", "…", "’", "-"});
    std::string result;
    for (int i = 0; i < wordCount; ++i) {
        std::string word = kVocabulary[random() % kVocabulary.size()];
        for (char& c : word) {
            if (random() % 4 == 0) {
                c = text::HarfDonustur(std::string(1, c))[0];
            }
        }
        if (random() % 8 == 0) {
            word[random() % word.size()] = 'x';
        }
        result += kMarks[random() % kMarks.size()] + word + kMarks[random() % kMarks.size()] + ' ';
    }
    return result;
}

TEST(ScoreWords, AgreesWithTheLinearWalk) {
    const struct {
        const char* name;
        text::WordKey key;
    } kKeys[] = {
        {"portable key", text::PortableWordKey},
        {"first two bytes", [](std::string_view word) { return std::string(word.substr(0, 2)); }},
    };
    std::mt19937 random(1254);
    for (const auto& k : kKeys) {
        for (int round = 0; round < 20; ++round) {
            SCOPED_TRACE(std::string(k.name) + ", round " + std::to_string(round));
            const std::string sample = RandomText(random, 60);
            const std::string typed = RandomText(random, 80);
            const text::ScoreResult expected = reference::LinearWalkScore(sample, typed, k.key);
            const text::ScoreResult actual = text::ScoreWords(sample, typed, k.key);
            EXPECT_EQ(actual.correctWords, expected.correctWords);
            EXPECT_EQ(actual.wrongWords, expected.wrongWords);
        }
    }
}

}  // namespace
