#include <gtest/gtest.h>

#include "entry/pure/FieldText.h"

namespace {

// Whatever way text arrives in a field, the field keeps what it takes, the caret where it was among what is kept; the
// first character removed that Windows-1254 lacks is named, never kept as '?'.
TEST(EntryFields, KeepWhatTheProgramCanHoldAndNameWhatItCannot) {
    const struct {
        const char* name;
        entry::KeptText (*rule)(const entry::FieldText&);
        entry::FieldText before, after;
        std::optional<char32_t> lacking;
    } cases[] = {
        {"an emoji, two units", entry::Name, {u"Ay😀şe", 4}, {u"Ayşe", 2}, U'\U0001F600'},
        {"a CJK character, then a Greek one", entry::Name, {u"李Ali\u03A9", 5}, {u"Ali", 3}, U'李'},
        {"half an emoji", entry::Name, {std::u16string{u'a', 0xD83D, u'b'}, 3}, {u"ab", 2}, char32_t{0xD83D}},
        {"letters in the number, silently", entry::CandidateNumber, {u"1İ2ab3", 6}, {u"123", 3}, std::nullopt},
        {"the number cut after seven digits", entry::CandidateNumber, {u"123456789", 9}, {u"1234567", 7}, std::nullopt},
    };
    for (const auto& c : cases) {
        const entry::KeptText kept = c.rule(c.before);
        EXPECT_EQ(kept.field, c.after) << c.name;
        EXPECT_EQ(kept.firstLacking, c.lacking) << c.name;
    }
}

}  // namespace
