#include <gtest/gtest.h>

#include "tests/core/Cp1254.h"
#include "text/TextAnalysis.h"

namespace {

using testing_text::Cp1254;

TEST(HarfDonustur, MapsEachTurkishLetterToItsCapitalAndLeavesEveryOtherByte) {
    const std::string lower = Cp1254("abcçdefgğhıijklmnoöpqrsştuüvwxyz");
    const std::string upper = Cp1254("ABCÇDEFGĞHIİJKLMNOÖPQRSŞTUÜVWXYZ");
    EXPECT_EQ(text::HarfDonustur(lower), upper);
    EXPECT_EQ(text::HarfDonustur(upper), upper);
    for (int byte = 0; byte < 256; ++byte) {
        const std::string single(1, static_cast<char>(byte));
        if (lower.find(single) == std::string::npos) {
            EXPECT_EQ(text::HarfDonustur(single), single) << "byte " << byte;
        }
    }
}

TEST(HarfDonustur, UpperCasesWords) {
    const struct {
        const char* name;
        std::string input, expected;
    } kCases[] = {
        {"dotted i becomes dotted capital", Cp1254("istanbul"), Cp1254("İSTANBUL")},
        {"dotless i becomes plain I", Cp1254("ırmak"), Cp1254("IRMAK")},
        {"circumflex is no Turkish letter", Cp1254("hâlâ"), Cp1254("HâLâ")},
        {"digits and punctuation stay", "12.3-a", "12.3-A"},
        {"byte 0 is copied, not an end", std::string("a\0b", 3), std::string("A\0B", 3)},
        {"empty", "", ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(text::HarfDonustur(c.input), c.expected);
    }
}

TEST(PortableWordKey, MatchesWordsOfTheSameSpellingInAnyCase) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } kCases[] = {
        {"istanbul", "İSTANBUL", true},
        {"ırmak", "IRMAK", true},
        {"irmak", "IRMAK", false},
        {"ırmak", "irmak", false},
        {"hâlâ", "HÂLÂ", true},
        {"hâlâ", "hala", false},
        {"façade", "FAÇADE", true},
        {"señor", "SEÑOR", true},
        {"øre", "ØRE", true},
        {"œuvre", "ŒUVRE", true},
        {"œuvre", "OEUVRE", false},
        {"šal", "ŠAL", true},
        {"ÿ", "Ÿ", true},
        {"straße", "STRASSE", false},
        {"éte", "ete", false},
        {"ke\u00ADlime", "KELİME", true},
        {"2ˆ3", "2^3", true},
        {"ke-lime", "KELİME", false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        const auto key = [](const char* word) { return text::PortableWordKey(text::HarfDonustur(Cp1254(word))); };
        EXPECT_EQ(key(c.a) == key(c.b), c.same);
    }
}

}  // namespace
