#include <gtest/gtest.h>

#include <string>

#include "config/pure/SequenceHash.h"
#include "tests/core/Cp1254.h"

namespace {

using config::SequenceHash;
using testing_text::Cp1254;

TEST(SupervisorSecret, TheFormRoundTripsAndRefusesWhatIsNotAHash) {
    SequenceHash hash{.iterations = 150000, .salt = {0x00, 0x01, 0xAB, 0xCD, 0xEF, 0x10, 0x7F, 0xFF}};
    for (std::size_t i = 0; i < hash.key.size(); ++i) hash.key[i] = static_cast<std::uint8_t>(i * 9);
    const std::string text = config::FormatSequenceHash(hash);
    const std::string key = text.substr(text.rfind(':') + 1);
    EXPECT_EQ(text, "pbkdf2-sha256:150000:0001abcdef107fff:" + key);
    EXPECT_EQ(config::ParseSequenceHash(text), hash);

    const struct {
        std::string name, text;
        bool taken;
    } cases[] = {
        {"upper-case hexadecimal", "PBKDF2-SHA256:150000:0001ABCDEF107FFF:" + key, false},
        {"upper-case digits", "pbkdf2-sha256:150000:0001ABCDEF107FFF:" + key, true},
        {"another scheme", "pbkdf2-sha1:150000:0001abcdef107fff:" + key, false},
        {"no iterations", "pbkdf2-sha256:0:0001abcdef107fff:" + key, false},
        {"iterations past 32 bits", "pbkdf2-sha256:4294967296:0001abcdef107fff:" + key, false},
        {"a sign", "pbkdf2-sha256:-5:0001abcdef107fff:" + key, false},
        {"a salt of seven bytes", "pbkdf2-sha256:150000:0001abcdef107f:" + key, false},
        {"an odd salt", "pbkdf2-sha256:150000:0001abcdef107ff:" + key, false},
        {"a salt that is not hexadecimal", "pbkdf2-sha256:150000:0001abcdef107fgf:" + key, false},
        {"a short key", "pbkdf2-sha256:150000:0001abcdef107fff:" + key.substr(2), false},
        {"a field too many", "pbkdf2-sha256:150000:0001abcdef107fff:" + key + ":", false},
        {"a field missing", "pbkdf2-sha256:150000:" + key, false},
        {"the digits themselves", "407193", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(config::ParseSequenceHash(c.text).has_value(), c.taken);
    }
}

TEST(SupervisorSecret, ASequenceIsSixDifferentDigits) {
    const struct {
        std::string digits;
        bool isSequence;
    } cases[] = {
        {"407193", true},
        {"012345", true},
        {"987654", true},
        {"407194", false},
        {"40719", false},
        {"4071935", false},
        {"40719a", false},
        {"", false},
        {"407 93", false},
        {"\xD9\xA4"
         "07193",
         false},
    };
    for (const auto& c : cases) EXPECT_EQ(config::IsSequence(c.digits), c.isSequence) << c.digits;
}

TEST(SupervisorSecret, TheSettingsProgramTakesTheSequenceOnlyTypedTwiceAlike) {
    const struct {
        std::string name, first, second;
        bool sequenceSet;
        std::optional<std::string> fault;
    } cases[] = {
        {"typed twice alike", "407193", "407193", false, std::nullopt},
        {"both left empty with a sequence set", "", "", true, std::nullopt},
        {"both left empty with none set", "", "", false,
         Cp1254("Denetim sırası henüz belirlenmedi: altı farklı rakamı iki kez yazın.")},
        {"a digit twice", "407194", "407194", true, Cp1254("Denetim sırası altı farklı rakamdan oluşmalı.")},
        {"five digits", "40719", "40719", true, Cp1254("Denetim sırası altı farklı rakamdan oluşmalı.")},
        {"the second differs", "407193", "407139", true, Cp1254("İki kez yazılan denetim sırası aynı değil.")},
        {"the second left empty", "407193", "", true, Cp1254("İki kez yazılan denetim sırası aynı değil.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(config::SequenceEntryFault(c.first, c.second, c.sequenceSet), c.fault);
    }
}

}  // namespace
