#include <gtest/gtest.h>

#include "tests/core/Cp1254.h"
#include "text/TextAnalysis.h"

namespace {

using testing_text::Cp1254;

std::vector<text::WordSpan> Locate(const char* typed, std::initializer_list<const char*> wrong) {
    text::WordList wrongWords;
    for (const char* word : wrong) {
        wrongWords.push_back(Cp1254(word));
    }
    return text::LocateWrongWords(Cp1254(typed), wrongWords);
}

TEST(LocateWrongWords, FindsEachWrongWordAfterThePreviousOne) {
    const struct {
        const char* name;
        const char* typed;
        std::initializer_list<const char*> wrong;
        std::vector<text::WordSpan> expected;
    } kCases[] = {
        {"punctuation between words", "a-b b", {"b", "b"}, {{2, 1}, {4, 1}}},
        {"repeated word lands on successive places", "ev ev ev", {"ev", "ev"}, {{0, 2}, {3, 2}}},
        {"punctuation next to the word", "Bu, kalem.", {"kalem"}, {{4, 5}}},
        {"whole words only", "kalemlik kalem", {"kalem"}, {{9, 5}}},
        {"letters with accents are word bytes", "xâb âb", {"âb"}, {{4, 2}}},
        {"digits are word bytes", "3a a", {"a"}, {{3, 1}}},
        {"CR LF counts two", "bir\r\niki üç", {"üç"}, {{9, 2}}},
        {"case ignored the Turkish way", "ırmak IRMAK", {"IRMAK"}, {{0, 5}}},
        {"dotted and dotless i differ", "irmak IRMAK", {"IRMAK"}, {{6, 5}}},
        {"word not found leaves the start", "a b", {"yok", "b"}, {{2, 1}}},
        {"empty word gives no span", "a", {"", "a"}, {{0, 1}}},
        {"typographic punctuation", "“Merhaba” dedi… Türkiye’nin", {"dedi", "nin"}, {{10, 4}, {24, 3}}},
        {"nothing wrong", "bir iki", {}, {}},
        {"never inside a bracketed word", "(b) b", {"b"}, {{4, 1}}},
        {"never the start of a longer word", "ne? ne", {"ne"}, {{4, 2}}},
        {"dotless capital I is not dotted i", "irmak Irmak IRMAK ırmak irmak", {"irmak", "irmak"}, {{0, 5}, {24, 5}}},
        {"dotted capital İ is not dotless ı",
         "Irmak irmak IRMAK İRMAK ırmak",
         {"Irmak", "IRMAK", "ırmak"},
         {{0, 5}, {12, 5}, {24, 5}}},
        {"every occurrence in any case", "Ev ev EV", {"Ev", "ev", "EV"}, {{0, 2}, {3, 2}, {6, 2}}},
        {"after the previous one even when typed earlier", "b a b", {"a", "b"}, {{2, 1}, {4, 1}}},
        {"a word not typed skips no occurrence", "a b a", {"a", "yok", "a"}, {{0, 1}, {4, 1}}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Locate(c.typed, c.wrong), c.expected);
    }
}

// The Windows program passes the platform's own word key, the one its scoring used.
TEST(LocateWrongWords, TakesTheSameWordsAsTheGivenKey) {
    const text::WordKey byLength = [](std::string_view word) { return std::to_string(word.size()); };
    EXPECT_EQ(text::LocateWrongWords("ab c de", {"xy", "zz"}, byLength), (std::vector<text::WordSpan>{{0, 2}, {5, 2}}));
}

}  // namespace
