#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "entry/pure/FieldText.h"

namespace {

using entry::FieldText;
using entry::KeptText;

// Whatever way text arrives in a field, it keeps what the field takes; a character Windows-1254 lacks is named, never
// kept as '?'.
TEST(EntryFields, KeepWhatTheProgramCanHoldAndNameWhatItCannot) {
    const struct {
        const char* name;
        KeptText (*rule)(const FieldText&);
        FieldText before, after;
        std::optional<char32_t> lacking;
    } cases[] = {
        {"Turkish letters", entry::Name, {u"çğıİöşü ÇĞÖŞÜ âîûÂÎÛ", 3}, {u"çğıİöşü ÇĞÖŞÜ âîûÂÎÛ", 3}, std::nullopt},
        {"an emoji, two units", entry::Name, {u"Ay😀şe", 4}, {u"Ayşe", 2}, U'\U0001F600'},
        {"a Greek letter", entry::Name, {u"Alφa", 0}, {u"Ala", 0}, U'φ'},
        {"a CJK character, then a Greek one: the first named", entry::Name, {u"李Ali\u03A9", 5}, {u"Ali", 3}, U'李'},
        {"half an emoji", entry::Name, {std::u16string{u'a', 0xD83D, u'b'}, 3}, {u"ab", 2}, char32_t{0xD83D}},
        {"letters in the number, silently", entry::CandidateNumber, {u"1İ2ab3", 6}, {u"123", 3}, std::nullopt},
        {"an emoji in the number", entry::CandidateNumber, {u"1😀2", 1}, {u"12", 1}, U'\U0001F600'},
        {"the number cut after seven digits", entry::CandidateNumber, {u"123456789", 9}, {u"1234567", 7}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const KeptText kept = c.rule(c.before);
        EXPECT_EQ(kept.field, c.after);
        EXPECT_EQ(kept.firstLacking, c.lacking);
    }
}

}  // namespace
