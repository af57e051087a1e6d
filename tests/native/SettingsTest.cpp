#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "config/pure/Settings.h"
#include "tests/core/Cp1254.h"
#include "tests/core/Utf16Bytes.h"

namespace {

using config::Settings;
using config::SettingsError;
using testing_text::Cp1254;

constexpr std::string_view kFullFile =
    "; Sınav kurulu\r\n"
    "# yorum\r\n"
    "\r\n"
    "[PC1]\r\n"
    "KurulBaskani = Ömer Şık \r\n"
    "Uye1=Ayşe Çağlar\r\n"
    "  uye2\t=\tİsmail Öğüt\r\n"
    "Yazici=HP LaserJet (2. kat)\r\n"
    "TutanakKlasoru=\\\\sunucu\\paylaşım\\Tutanaklar\r\n";

Settings FullSettings() {
    Settings settings;
    settings.board = {Cp1254("Ömer Şık"), Cp1254("Ayşe Çağlar"), Cp1254("İsmail Öğüt")};
    settings.printer = {config::PrinterChoice::Kind::Named, "HP LaserJet (2. kat)"};
    settings.recordsFolder = "\\\\sunucu\\paylaşım\\Tutanaklar";
    return settings;
}

std::u16string Utf16(std::string_view utf8) {
    std::u16string text;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
        char16_t c = length == 1 ? lead : lead & (length == 2 ? 0x1F : 0x0F);
        for (int k = 1; k < length; ++k) c = static_cast<char16_t>((c << 6) | (utf8[i + k] & 0x3F));
        text += c;
        i += length;
    }
    return text;
}

void ExpectSettings(const std::variant<Settings, SettingsError>& parsed, const Settings& expected) {
    ASSERT_TRUE(std::holds_alternative<Settings>(parsed)) << std::get<SettingsError>(parsed).message;
    const Settings& settings = std::get<Settings>(parsed);
    EXPECT_EQ(settings.board.chair, expected.board.chair);
    EXPECT_EQ(settings.board.firstMember, expected.board.firstMember);
    EXPECT_EQ(settings.board.secondMember, expected.board.secondMember);
    EXPECT_EQ(settings.printer, expected.printer);
    EXPECT_EQ(settings.recordsFolder, expected.recordsFolder);
    EXPECT_EQ(settings.sequence, expected.sequence);
}

constexpr std::string_view kSequenceHash =
    "pbkdf2-sha256:150000:00112233445566778899aabbccddeeff:"
    "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f";

TEST(Settings, ReadsTheFileAsNotepadSavesIt) {
    const Settings none;
    Settings noPrinter, defaultPrinter;
    noPrinter.printer.kind = config::PrinterChoice::Kind::None;
    const struct {
        std::string name, bytes;
        Settings expected;
    } cases[] = {
        {"UTF-8", std::string(kFullFile), FullSettings()},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + std::string(kFullFile), FullSettings()},
        {"UTF-16 little-endian", testing_text::Utf16Bytes(Utf16(kFullFile), false, true), FullSettings()},
        {"UTF-16 big-endian", testing_text::Utf16Bytes(Utf16(kFullFile), true, true), FullSettings()},
        {"LF line ends, no last line end", "Uye1=Ayşe Çağlar\nYazici=HP LaserJet (2. kat)",
         [] {
             Settings s;
             s.board.firstMember = Cp1254("Ayşe Çağlar"),
             s.printer = {config::PrinterChoice::Kind::Named, "HP LaserJet (2. kat)"};
             return s;
         }()},
        {"an empty file", "", none},
        {"a byte-order mark alone", "\xEF\xBB\xBF", none},
        {"a UTF-16 byte-order mark alone", "\xFF\xFE", none},
        {"comments and blanks only", "; a\r\n   \r\n#b\r\n\t\r\n[pc1]\r\n", none},
        {"no printer", "YAZICI=yok", noPrinter},
        {"no printer in capitals", "Yazici = YOK ", noPrinter},
        {"the Windows default printer", "Yazici=", defaultPrinter},
        {"an empty name leaves its line blank", "KurulBaskani=", none},
        {"the supervisor's sequence", "DenetimSirasi=" + std::string(kSequenceHash),
         [] {
             Settings s;
             s.sequence = config::ParseSequenceHash(kSequenceHash);
             return s;
         }()},
        {"no sequence yet", "DenetimSirasi=", none},
        {"an equals sign in a value", "Yazici=a=b",
         [] {
             Settings s;
             s.printer = {config::PrinterChoice::Kind::Named, "a=b"};
             return s;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectSettings(config::ParseSettings(c.bytes), c.expected);
    }
}

TEST(Settings, NamesTheLineOfEveryFault) {
    const struct {
        std::string name, bytes;
        int line;
        std::string message;
    } cases[] = {
        {"an unknown key", "[PC1]\r\n\r\n; x\r\n\r\nUye1=a\r\n\r\nYazic=HP\r\n", 7,
         Cp1254("PC1.ini, satır 7: bilinmeyen ayar \"Yazic\".")},
        {"another section", "[Genel]\r\n", 1,
         Cp1254("PC1.ini, satır 1: bilinmeyen bölüm \"[Genel]\"; yalnız [PC1] olabilir.")},
        {"a line without '='", "Uye1=a\nUye2 Ali\n", 2,
         Cp1254("PC1.ini, satır 2: \"Anahtar=Değer\" biçiminde olmalı.")},
        {"a value without a key", " = Ali", 1, Cp1254("PC1.ini, satır 1: \"Anahtar=Değer\" biçiminde olmalı.")},
        {"a key given twice", "Uye1=a\r\nUYE1=b\r\n", 2,
         Cp1254("PC1.ini, satır 2: \"Uye1\" ayarı ikinci kez verilmiş.")},
        {"invalid UTF-8", "Uye1=a\r\nUye2=\xC3\x28\r\n", 2, Cp1254("PC1.ini, satır 2: geçersiz UTF-8 baytları.")},
        {"Windows-1254 bytes saved as if UTF-8",
         "Uye1=Ay\xFE"
         "e\r\n",
         1, Cp1254("PC1.ini, satır 1: geçersiz UTF-8 baytları.")},
        {"a name with no Windows-1254 form", "KurulBaskani=Erdős\r\n", 1,
         Cp1254("PC1.ini, satır 1: \"KurulBaskani\" ayarı: U+0151 karakterinin Windows-1254 karşılığı yok.")},
        {"a sequence hash of too many iterations",
         "DenetimSirasi=pbkdf2-sha256:4294967295:00112233445566778899aabbccddeeff:" + std::string(64, '0'), 1,
         Cp1254("PC1.ini, satır 1: \"DenetimSirasi\" ayarı: yineleme sayısı 4294967295, 100000 ile 10000000 arasında "
                "olmalı; satırı silip sırayı \"PC1 Ayarları\" ile yeniden belirleyin.")},
        {"a records folder's name of 256 characters", "TutanakKlasoru=C:\\" + std::string(256, 'a'), 1,
         Cp1254("PC1.ini, satır 1: \"TutanakKlasoru\" ayarı: yoldaki bir klasör adı 256 karakter; Windows'ta bir ad en "
                "çok 255 karakter olabilir.")},
        {"a sequence that is no hash", "[PC1]\r\nDenetimSirasi=407193\r\n", 2,
         Cp1254("PC1.ini, satır 2: \"DenetimSirasi\" ayarı: bozuk; satırı silip sırayı \"PC1 Ayarları\" ile yeniden "
                "belirleyin.")},
        {"a control character",
         "Yazici=a\x01"
         "b\r\n",
         1, Cp1254("PC1.ini, satır 1: satırda denetim karakteri var.")},
        {"an odd-length UTF-16 file", std::string("\xFF\xFEU\0=", 5), 0,
         Cp1254("PC1.ini: dosyanın UTF-16 kodlaması bozuk.")},
        {"a lone surrogate in UTF-16", std::string("\xFF\xFE\x00\xD8=\0", 6), 0,
         Cp1254("PC1.ini: dosyanın UTF-16 kodlaması bozuk.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = config::ParseSettings(c.bytes);
        ASSERT_TRUE(std::holds_alternative<SettingsError>(parsed));
        EXPECT_EQ(std::get<SettingsError>(parsed).line, c.line);
        EXPECT_EQ(std::get<SettingsError>(parsed).message, c.message);
    }
}

// Windows takes 255 characters in a name and 32,767 in a path (UTF-16 code units), of which the records folder leaves
// room for the long form's prefix, a separator and the longest record name. A sequence hash with too few iterations
// is cheap to guess from a copied file; one with too many holds the exam window at every check.
TEST(Settings, TakeTheRecordsFolderAndTheSequenceHashUpToTheirBounds) {
    const auto hash = [](const char* iterations) {
        std::string line = "DenetimSirasi=" + std::string(kSequenceHash);
        return line.replace(line.find("150000"), 6, iterations);
    };
    std::string turkish = "TutanakKlasoru=C:\\", emoji = "TutanakKlasoru=\\\\sunucu/", path = "TutanakKlasoru=C:";
    for (int i = 0; i < 255; ++i) turkish += "ş";
    for (int i = 0; i < 128; ++i) emoji += "\U0001F600";
    for (int i = 0; i < 162; ++i) path += "\\" + std::string(200, 'a');
    const std::pair<std::string, bool> cases[] = {
        {hash("99999"), false},
        {hash("100000"), true},
        {hash("10000000"), true},
        {hash("10000001"), false},
        {turkish, true},
        {emoji, false},
        {path + "\\" + std::string(87, 'a'), true},
        {path + "\\" + std::string(88, 'a'), false},
    };
    for (const auto& [line, taken] : cases)
        EXPECT_EQ(std::holds_alternative<Settings>(config::ParseSettings(line)), taken) << line.substr(0, 60);
}

TEST(Settings, AnyBytesGiveSettingsOrAnError) {
    std::mt19937 random(1254);
    for (int i = 0; i < 20000; ++i) {
        std::string bytes(random() % 64, '\0');
        for (char& byte : bytes) byte = static_cast<char>(random() % 5 == 0 ? "=[;\n\r"[random() % 5] : random());
        if (i % 3 == 0) bytes.insert(0, i % 2 ? "\xFF\xFE" : "\xEF\xBB\xBF");
        const auto parsed = config::ParseSettings(bytes);
        if (const auto* error = std::get_if<SettingsError>(&parsed)) {
            EXPECT_TRUE(error->message.starts_with("PC1.ini"));
        }
    }
}

// The settings program writes the keys it sets and leaves the supervisor's other lines as they were.
TEST(Settings, WritingKeysKeepsEveryOtherLine) {
    const std::vector<config::SettingValue> values{{"DenetimSirasi", std::string(kSequenceHash)},
                                                   {"KurulBaskani", "Ömer Şık"}};
    const std::string sequenceLine = "DenetimSirasi=" + std::string(kSequenceHash);
    const struct {
        std::string name, before, after;
    } cases[] = {
        {"an empty file", "", "\xEF\xBB\xBF[PC1]\r\n" + sequenceLine + "\r\nKurulBaskani=Ömer Şık\r\n"},
        {"keys rewritten where they stand, comments kept",
         "\xEF\xBB\xBF; yorum\r\n[PC1]\r\n kurulbaskani = Ali\r\n; DenetimSirasi=eski\r\nUye1=Veli\r\n"
         "DenetimSirasi=\r\n",
         "\xEF\xBB\xBF; yorum\r\n[PC1]\r\nKurulBaskani=Ömer Şık\r\n; DenetimSirasi=eski\r\nUye1=Veli\r\n" +
             sequenceLine + "\r\n"},
        {"LF line ends and no last line end", "Uye1=Veli\nYazici=yok",
         "\xEF\xBB\xBFUye1=Veli\nYazici=yok\n[PC1]\n" + sequenceLine + "\nKurulBaskani=Ömer Şık\n"},
        {"UTF-16 read, UTF-8 written", testing_text::Utf16Bytes(u"Uye2=Ayşe\r\n", false, true),
         "\xEF\xBB\xBFUye2=Ayşe\r\n[PC1]\r\n" + sequenceLine + "\r\nKurulBaskani=Ömer Şık\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string after = config::WithSettings(c.before, values);
        EXPECT_EQ(after, c.after);
        ASSERT_TRUE(std::holds_alternative<Settings>(config::ParseSettings(after)));
        EXPECT_EQ(std::get<Settings>(config::ParseSettings(after)).sequence, config::ParseSequenceHash(kSequenceHash));
    }
}

TEST(Settings, TheSampleFileParses) {
    std::ifstream file(PC1_SOURCE_DIR "/packaging/PC1.ini", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    ASSERT_TRUE(bytes.starts_with("\xEF\xBB\xBF"));
    ExpectSettings(config::ParseSettings(bytes), Settings());
}

}  // namespace
