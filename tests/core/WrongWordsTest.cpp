#include <gtest/gtest.h>

#include "tests/core/Cp1254.h"
#include "text/BlankedTextSearch.h"
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
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Locate(c.typed, c.wrong), c.expected);
    }
}

TEST(BlankedTextSearch, KeepsTheMatchInsideTheRange) {
    const struct {
        const char* name;
        int from, to, expected;
    } kCases[] = {
        {"whole text", 0, 10, 2},
        {"match ends at the limit", 0, 4, 2},
        {"match would end past the limit", 0, 3, -1},
        {"start past the first match", 3, 10, 5},
        {"start before the text", -5, 10, 2},
        {"start past the text", 20, 30, -1},
    };
    text::BlankedTextSearch search;
    search.SetText("x ab ab");
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(search.FindWholeWord("AB", c.from, c.to), c.expected);
    }
}

}  // namespace
