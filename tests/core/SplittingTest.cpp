#include <gtest/gtest.h>

#include "tests/core/Cp1254.h"
#include "text/TextAnalysis.h"

namespace {

using namespace std::string_literals;
using testing_text::Cp1254;

struct SplitCase {
    const char* name;
    std::string input;
    text::WordList expected;
};

TEST(NoktalamaTemizle, BlanksPunctuationByteForByte) {
    const std::string blanked = Cp1254(".,:;!-\"'‘’“”–—…");
    for (int byte = 0; byte < 256; ++byte) {
        const std::string single(1, static_cast<char>(byte));
        const bool blanks = blanked.find(single) != std::string::npos;
        EXPECT_EQ(text::NoktalamaTemizle(single), blanks ? " " : single) << "byte " << byte;
    }
    EXPECT_EQ(text::NoktalamaTemizle(Cp1254("“Evet…” dedi; (bu) mu?")), Cp1254(" Evet   dedi  (bu) mu?"));
}

TEST(SplitWords, CutsAtBlanksAndControlBytesAndReadsQuotedWords) {
    const SplitCase kCases[] = {
        {"plain words", "Bu bir deneme", {"Bu", "bir", "deneme"}},
        {"bytes 1 to 32 separate",
         "a\x01"
         "b\tc\r\nd\x1F"
         "e f",
         {"a", "b", "c", "d", "e", "f"}},
        {"bytes from 0x80 are word bytes", "\x80\xA0\xFF x\xA0y", {"\x80\xA0\xFF", "x\xA0y"}},
        {"punctuation stays in live words", "Ne? (evet) bu-da", {"Ne?", "(evet)", "bu-da"}},
        {"quoted word keeps its blanks", Cp1254("\"iki kelime\" üç"), {"iki kelime", Cp1254("üç")}},
        {"doubled quote stands for one", "\"a\"\"b\" c", {"a\"b", "c"}},
        {"unterminated quote takes the rest", "x \"rest of  it", {"x", "rest of  it"}},
        {"empty quoted word counts", "a \"\" b", {"a", "", "b"}},
        {"quote inside a run is a word byte", "ab\"c d", {"ab\"c", "d"}},
        {"a word may follow a closing quote", "\"ab\"cd", {"ab", "cd"}},
        {"byte 0 ends the text", "ab\0cd"s, {"ab"}},
        {"byte 0 ends a quoted word", "\"a b\0c\" d"s, {"a b"}},
        {"byte 0 first", "\0ab"s, {}},
        {"only blanks", " \t\r\n", {}},
        {"empty", "", {}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(text::SplitWords(c.input), c.expected);
    }
}

TEST(SplitPlacedWords, StartsEachWordAtItsFirstByte) {
    const struct {
        const char* name;
        std::string input;
        std::vector<text::PlacedWord> expected;
    } kCases[] = {
        {"separators before and between", "  a\tbc\r\nd", {{2, "a"}, {4, "bc"}, {8, "d"}}},
        {"quoted word starts after its quote", "x \"a  b\" c", {{0, "x"}, {3, "a  b"}, {9, "c"}}},
        {"a doubled quote is two bytes of the text", "\"a\"\"b\" c", {{1, "a\"b"}, {7, "c"}}},
        {"empty quoted word", "a \"\" b", {{0, "a"}, {3, ""}, {5, "b"}}},
        {"byte 0 ends the text", "ab\0cd"s, {{0, "ab"}}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(text::SplitPlacedWords(c.input), c.expected);
    }
}

TEST(ScoredWords, SplitsTheBlankedText) {
    const SplitCase kCases[] = {
        {"punctuation separates", "Bu, bir deneme-metnidir.", {"Bu", "bir", "deneme", "metnidir"}},
        {"question mark and brackets stay", "Ne? (evet)", {"Ne?", "(evet)"}},
        {"quotes no longer group", Cp1254("\"iki kelime\" üç"), {"iki", "kelime", Cp1254("üç")}},
        {"typographic punctuation separates",
         Cp1254("“Günaydın!” Türkiye’nin…"),
         {Cp1254("Günaydın"), Cp1254("Türkiye"), "nin"}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(text::ScoredWords(c.input), c.expected);
    }
}

}  // namespace
