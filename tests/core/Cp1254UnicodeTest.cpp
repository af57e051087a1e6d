#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/core/Cp1254.h"
#include "tests/core/Utf16Bytes.h"
#include "text/Cp1254Unicode.h"
#include "text/Utf8.h"

namespace {

using testing_text::Cp1254;

TEST(Cp1254Unicode, EveryByteComesBackFromItsCharacter) {
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t c = text::Cp1254ToUnicode(static_cast<unsigned char>(byte));
        EXPECT_EQ(text::UnicodeToCp1254(c), static_cast<char>(byte)) << byte;
        std::string utf8;
        text::AppendUtf8(utf8, c);
        const text::Cp1254Conversion back = text::Utf8ToCp1254(utf8);
        EXPECT_EQ(back.text, std::string(1, static_cast<char>(byte)));
        EXPECT_FALSE(back.firstMissing);
    }
}

TEST(Cp1254Unicode, TurkishTextBothWays) {
    const std::string utf8 = "abcçdefgğhıijklmnoöpqrsştuüvwxyz ABCÇDEFGĞHIİJKLMNOÖPQRSŞTUÜVWXYZ €‘’“”–—…";
    const std::string cp1254 = Cp1254("abcçdefgğhıijklmnoöpqrsştuüvwxyz ABCÇDEFGĞHIİJKLMNOÖPQRSŞTUÜVWXYZ ") +
                               "\x80\x91\x92\x93\x94\x96\x97\x85";
    EXPECT_EQ(text::Cp1254ToUtf8(cp1254), utf8);
    EXPECT_EQ(text::Utf8ToCp1254(utf8).text, cp1254);
}

TEST(Cp1254Unicode, ReportsWhatHasNoWindows1254Form) {
    const struct {
        std::string name, utf8, cp1254;
        std::optional<char32_t> firstMissing;
    } cases[] = {
        {"a Hungarian letter", "Erdős ő", "Erd?s ?", U'ő'},
        {"Ž, which Windows-1252 has and 1254 not", "Žiga", "?iga", U'Ž'},
        {"a character beyond the BMP", "a😀b", "a?b", U'😀'},
        {"an invalid sequence", "a\xC3(b", "a?(b", U'\uFFFD'},
        {"an overlong slash", "\xC0\xAF", "??", U'\uFFFD'},
        {"an encoded surrogate", "\xED\xA0\x80", "???", U'\uFFFD'},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "????", U'\uFFFD'},
        {"a sequence cut short at the end", "a\xE2\x82", "a??", U'\uFFFD'},
        {"nothing missing", "İş", Cp1254("İş"), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const text::Cp1254Conversion conversion = text::Utf8ToCp1254(c.utf8);
        EXPECT_EQ(conversion.text, c.cp1254);
        EXPECT_EQ(conversion.firstMissing, c.firstMissing);
    }
}

TEST(Utf16ToUtf8, DecodesPairsAndRefusesBrokenText) {
    const struct {
        std::string name, bytes;
        std::optional<std::string> utf8;
    } cases[] = {
        {"Turkish letters", testing_text::Utf16Bytes(u"Şığ", false, false), "Şığ"},
        {"big-endian", testing_text::Utf16Bytes(u"Şığ", true, false), "Şığ"},
        {"a surrogate pair", testing_text::Utf16Bytes(u"a😀", false, false), "a😀"},
        {"an odd byte", std::string("a\0b", 3), std::nullopt},
        {"a high surrogate at the end", std::string("a\0\x3D\xD8", 4), std::nullopt},
        {"a low surrogate alone",
         std::string("\x00\xDC"
                     "a\0",
                     4),
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool bigEndian = c.name == "big-endian";
        EXPECT_EQ(text::Utf16ToUtf8(c.bytes, bigEndian ? text::ByteOrder::BigEndian : text::ByteOrder::LittleEndian),
                  c.utf8);
    }
}

}  // namespace
