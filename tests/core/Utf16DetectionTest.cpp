#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/core/Cp1254.h"
#include "tests/core/Utf16Bytes.h"
#include "text/Utf16Detection.h"

namespace {

using namespace std::string_literals;
using testing_text::Cp1254;
using testing_text::Utf16Bytes;
using text::ByteOrder;

constexpr std::u16string_view kTurkish = u"Işık, çiçek\r\nağaç İstanbul Şule";

TEST(Utf16ByteOrder, ReadsTheMarkOrWhereTheZeroBytesFall) {
    constexpr auto kLittle = ByteOrder::LittleEndian, kBig = ByteOrder::BigEndian;
    const struct {
        const char* name;
        std::string bytes;
        std::optional<ByteOrder> expected;
    } kCases[] = {
        {"little-endian with mark", Utf16Bytes(kTurkish, false, true), kLittle},
        {"big-endian with mark", Utf16Bytes(kTurkish, true, true), kBig},
        {"a mark decides, even before an odd last byte", Utf16Bytes(kTurkish, true, true) + "x", kBig},
        {"little-endian without mark", Utf16Bytes(kTurkish, false, false), kLittle},
        {"big-endian without mark", Utf16Bytes(kTurkish, true, false), kBig},
        {"a single character", Utf16Bytes(u"a", true, false), kBig},
        {"a character with a zero low byte among many", Utf16Bytes(u"Ā bir iki üç dört beş altı", false, false),
         kLittle},
        {"mostly characters past U+00FF", Utf16Bytes(u"ĞŞİğşı a", false, false), std::nullopt},
        {"without mark, an odd number of bytes", Utf16Bytes(kTurkish, false, false) + "x", std::nullopt},
        {"Windows-1254", Cp1254("Işık, çiçek ağaç"), std::nullopt},
        {"UTF-8", "I\xC5\x9F\xC4\xB1k \xC4\xB0stanbul", std::nullopt},
        {"a stray byte 0 in single-byte text", "Bir metin\0 iki"s, std::nullopt},
        {"binary, zero bytes on both sides", "MZ\x90\0\x03\0\0\0\x04\0\0\0\xFF\xFF\0\0"s, std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(text::Utf16ByteOrder(c.bytes), c.expected);
    }
}

}  // namespace
