#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "exam/pure/TypedText.h"

namespace {

using exam::TypedText;
using Direction = TypedText::Direction;
using Reach = TypedText::Reach;

TypedText Holding(std::string_view text) {
    TypedText typed;
    typed.Apply({0, 0, std::string(text)});
    return typed;
}

// What each key does to a text with the caret or selection [start, end): the text afterwards.
TEST(TypedText, KeysChangeTheTextAsTheTypingAreaShowsIt) {
    enum Key { Type, Backspace, Delete, CtrlBackspace, CtrlDelete };
    const struct {
        const char* name;
        std::string text;
        TypedText::Range selection;
        Key key;
        std::string typed;
        std::string expected;
    } cases[] = {
        {"a letter at the end", "ab", {2, 2}, Type, "c", "abc"},
        {"a letter over a selection", "abcd", {1, 3}, Type, "x", "axd"},
        {"Enter makes CR LF", "ab", {1, 1}, Type, "\r", "a\r\nb"},
        {"Ctrl+Enter too", "ab", {2, 2}, Type, "\n", "ab\r\n"},
        {"a reversed selection", "abcd", {3, 1}, Type, "x", "axd"},
        {"a selection past the end", "ab", {1, 9}, Type, "x", "ax"},
        {"Backspace erases a letter", "abc", {2, 2}, Backspace, "", "ac"},
        {"Backspace erases a whole line break", "a\r\nb", {3, 3}, Backspace, "", "ab"},
        {"Backspace at the start", "ab", {0, 0}, Backspace, "", "ab"},
        {"Delete erases a whole line break", "a\r\nb", {1, 1}, Delete, "", "ab"},
        {"Delete at the end", "ab", {2, 2}, Delete, "", "ab"},
        {"Delete erases a selection", "abcd", {1, 3}, Delete, "", "ad"},
        {"a caret inside a line break", "a\r\nb", {2, 2}, Backspace, "", "ab"},
        {"Ctrl+Backspace erases the word and blanks", "bir iki  ", {9, 9}, CtrlBackspace, "", "bir "},
        {"Ctrl+Backspace inside a word", "bir iki", {6, 6}, CtrlBackspace, "", "bir i"},
        {"Ctrl+Delete up to the next word", "bir iki", {0, 0}, CtrlDelete, "", "iki"},
    };
    for (const auto& c : cases) {
        TypedText typed = Holding(c.text);
        const auto edit = c.key == Type            ? typed.Type(c.selection, c.typed)
                          : c.key == Backspace     ? typed.Erase(c.selection, Direction::Backward, Reach::Character)
                          : c.key == Delete        ? typed.Erase(c.selection, Direction::Forward, Reach::Character)
                          : c.key == CtrlBackspace ? typed.Erase(c.selection, Direction::Backward, Reach::Word)
                                                   : typed.Erase(c.selection, Direction::Forward, Reach::Word);
        if (edit) typed.Apply(*edit);
        EXPECT_EQ(typed.Text(), c.expected) << c.name;
        EXPECT_EQ(typed.LineBreaks(), static_cast<std::size_t>(std::ranges::count(c.expected, '\n'))) << c.name;
    }
}

text::WordList WordsOf(const TypedText& typed) {
    text::WordList words;
    for (std::size_t i = 0; i < typed.WordCount(); ++i) words.push_back(typed.Word(i));
    return words;
}

// The words kept as the text changes are always those of splitting the whole text, quotes and all, and the words
// before the first one an edit reports as changed are those of before.
TEST(TypedText, WordsFollowEveryEdit) {
    const std::string alphabet = "ab \"\r\n\xFE";
    std::mt19937 random(20261207);
    TypedText typed;
    for (int step = 0; step < 20000; ++step) {
        const std::size_t a = random() % (typed.Size() + 1), b = random() % (typed.Size() + 1);
        const auto edit = random() % 3 == 0 ? typed.Erase({a, b}, Direction::Backward, Reach::Character)
                                            : typed.Type({a, a}, std::string(1, alphabet[random() % alphabet.size()]));
        if (!edit) continue;
        const text::WordList before = WordsOf(typed);
        const std::size_t firstChanged = typed.Apply(*edit);
        const text::WordList after = WordsOf(typed);
        ASSERT_EQ(after, text::SplitWords(typed.Text())) << "after step " << step << ": " << typed.Text();
        ASSERT_LE(firstChanged, std::min(before.size(), after.size()));
        ASSERT_TRUE(std::equal(after.begin(), after.begin() + firstChanged, before.begin()));
        if (typed.Size() > 60) typed.Clear();
    }
}

}  // namespace
