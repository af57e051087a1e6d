// Sample files that are damaged, odd or hostile. Each one either loads as the text it holds or ends the exam start
// with the designed error message; none crashes, hangs or puts a wrong text before the candidate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

#include "exam/SampleText.h"
#include "platform/Cp1254.h"
#include "platform/ErrorHandler.h"
#include "platform/Unique.h"
#include "tests/core/Utf16Bytes.h"
#include "tests/win/ExamDriver.h"

namespace {

using testing_pc1::kWritersText;
using testing_pc1::TestData;
using testing_text::Utf16Bytes;

// "Işık, çiçek" and "ağaç İstanbul Şule" on two lines, as Windows-1254, UTF-8 and UTF-16.
constexpr std::string_view kTurkishLines =
    "I\xFE\xFDk, \xE7i\xE7"
    "ek\r\na\xF0"
    "a\xE7 \xDDstanbul \xDEule";
constexpr std::string_view kTurkishLinesUtf8 =
    "I\xC5\x9F\xC4\xB1k, \xC3\xA7i\xC3\xA7"
    "ek\r\na\xC4\x9F"
    "a\xC3\xA7 \xC4\xB0stanbul \xC5\x9Eule";
constexpr std::u16string_view kTurkishLinesUtf16 =
    u"I\x015F\x0131k, \x00E7i\x00E7"
    u"ek\r\na\x011F"
    u"a\x00E7 \x0130stanbul \x015Eule";

constexpr char kFailedToLoad[] = "Failed to Load Stream";

// What an exam start made of the sample file: the text shown, or the message of the error it raised.
struct Outcome {
    bool loaded;
    std::string text;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

void PrintTo(const Outcome& outcome, std::ostream* out) {
    *out << (outcome.loaded ? "loaded " : "error ") << testing::PrintToString(outcome.text);
}

Outcome Loaded(std::string_view text) { return {true, std::string(text)}; }
Outcome Failed(std::string_view message) { return {false, std::string(message)}; }

// Random bytes from a fixed seed, starting with a byte that begins neither rich text, a byte-order mark nor UTF-8.
std::string Garbage(std::size_t size, bool withNul) {
    std::mt19937 random(1254);
    std::string bytes = "\xC0";
    while (bytes.size() < size) {
        const auto byte = static_cast<char>(random() & 0xFF);
        if (byte != 0 || withNul) bytes += byte;
    }
    return bytes;
}

std::string Repeated(std::string_view piece, std::size_t count) {
    std::string text;
    text.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i) text += piece;
    return text;
}

// The file cut off inside its first `escape`, whose last character is left out.
std::string CutInside(const std::string& content, std::string_view escape) {
    return content.substr(0, content.find(escape) + escape.size() - 1);
}

std::string WithoutFinalLineBreaks(std::string text) {
    while (text.ends_with("\r\n")) text.resize(text.size() - 2);
    return text;
}

std::string WithoutLineBreaks(std::string text) {
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return text;
}

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

void CloseFile(HANDLE file) { CloseHandle(file); }
using UniqueFile = platform::Unique<HANDLE, CloseFile>;

class BadSample : public testing::Test {
protected:
    void SetUp() override {
        platform::SetApplicationErrorHandler([](const std::exception& error) { ADD_FAILURE() << error.what(); });
    }

    // The line breaks a rich text's last paragraph ends with are left out. A sample that fails shows nothing of
    // itself behind the error message.
    Outcome Start() {
        testing_pc1::ClockedSinavForm form;  // every start a new exam
        platform::EventArgs args;
        try {
            form.BaslatClick(args);
            return Loaded(WithoutFinalLineBreaks(form.Control(exam::SinavForm::Metin).Text()));
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(form.Control(exam::SinavForm::Metin).Text(), "");
            return Failed(error.what());
        }
    }

    Outcome StartWith(std::string_view content) {
        folder.Write(content);
        return Start();
    }

    // The message for a sample file the system refused to open, with the system's reason for `error`.
    std::string CannotOpen(DWORD error) const {
        wchar_t reason[512];
        const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                                            0, reason, 512, nullptr);
        std::wstring text(reason, length);
        while (!text.empty() && std::wstring_view(L"\r\n .").find(text.back()) != std::wstring_view::npos)
            text.pop_back();
        return "Cannot open file \"" + folder.SampleFile().string() + "\". " + platform::NarrowCp1254(text);
    }

    testing_pc1::SampleFolder folder;
};

// Another program holding the sample file open: a word processor editing it, or a viewer reading it.
TEST_F(BadSample, FilesThatCannotBeRead) {
    const struct {
        const char* name;
        DWORD access, share;  // of the other program's open; access 0: the file is missing
        DWORD error;          // ERROR_SUCCESS: the sample loads
    } kCases[] = {
        {"missing", 0, 0, ERROR_FILE_NOT_FOUND},
        {"held for writing, shared with none", GENERIC_WRITE, 0, ERROR_SHARING_VIOLATION},
        {"held for writing, shared with readers", GENERIC_WRITE, FILE_SHARE_READ, ERROR_SHARING_VIOLATION},
        {"held for reading, shared with none", GENERIC_READ, 0, ERROR_SHARING_VIOLATION},
        {"held for reading, shared with readers", GENERIC_READ, FILE_SHARE_READ, ERROR_SUCCESS},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(folder.SampleFile());
        UniqueFile held(INVALID_HANDLE_VALUE);
        if (c.access) {
            folder.Write(kTurkishLines);
            held.Reset(CreateFileW(folder.SampleFile().c_str(), c.access, c.share, nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_NE(held.get(), INVALID_HANDLE_VALUE);
        }
        EXPECT_EQ(Start(), c.error == ERROR_SUCCESS ? Loaded(kTurkishLines) : Failed(CannotOpen(c.error)));
    }
}

// Text in every encoding loads; a byte 0 that is no part of UTF-16 marks a binary file, but for those that end rich
// text.
TEST_F(BadSample, TextInEveryEncodingButNoByteZero) {
    const std::u16string_view utf16 = kTurkishLinesUtf16;
    const std::string richEdit = TestData("Riched20.rtf");
    const struct {
        const char* name;
        std::string content;
        Outcome expected;
    } kCases[] = {
        {"empty: a sample without words", "", Loaded("")},
        {"Windows-1254", std::string(kTurkishLines), Loaded(kTurkishLines)},
        {"UTF-8", std::string(kTurkishLinesUtf8), Loaded(kTurkishLines)},
        {"UTF-8 with byte-order mark", "\xEF\xBB\xBF" + std::string(kTurkishLinesUtf8), Loaded(kTurkishLines)},
        {"UTF-16 with byte-order mark", Utf16Bytes(utf16, false, true), Loaded(kTurkishLines)},
        {"UTF-16 with an odd last byte", Utf16Bytes(utf16, false, true) + "x", Loaded(kTurkishLines)},
        {"UTF-16 without byte-order mark", Utf16Bytes(utf16, false, false), Loaded(kTurkishLines)},
        {"UTF-16 big-endian with byte-order mark", Utf16Bytes(utf16, true, true), Loaded(kTurkishLines)},
        {"UTF-16 big-endian without byte-order mark", Utf16Bytes(utf16, true, false), Loaded(kTurkishLines)},
        {"rich text saved as UTF-16", Utf16Bytes(u"{\\rtf1\\ansi\\ansicpg1254 I\\'fe\\'fdk\\par}", false, false),
         Loaded("I\xFE\xFDk")},
        {"byte 0 in Windows-1254 text", std::string(kTurkishLines) + '\0', Failed(kFailedToLoad)},
        {"byte 0 in UTF-8 text", std::string(kTurkishLinesUtf8) + '\0' + "x", Failed(kFailedToLoad)},
        {"character 0 in UTF-16 text", Utf16Bytes(std::u16string(utf16) + u'\0', false, true), Failed(kFailedToLoad)},
        {"byte 0 inside rich text", richEdit.substr(0, 200) + '\0' + richEdit.substr(200), Failed(kFailedToLoad)},
        {"bytes 0 ending rich text, as the rich-edit control writes it", richEdit + '\0', Loaded(kWritersText)},
        {"byte 0 between rich text and more", richEdit + "\r\n", Failed(kFailedToLoad)},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StartWith(c.content), c.expected);
    }
}

TEST_F(BadSample, BinaryGarbage) {
    EXPECT_EQ(StartWith(Garbage(64 * 1024, true)), Failed(kFailedToLoad));

    // Without a byte 0 it is Windows-1254 text, whatever it looks like: every byte shows, and every lone CR, lone LF
    // and CR LF pair is one line break.
    const std::string garbage = Garbage(64 * 1024, false);
    const Outcome outcome = StartWith(garbage);
    ASSERT_TRUE(outcome.loaded) << outcome.text;
    EXPECT_TRUE(WithoutLineBreaks(outcome.text) == WithoutLineBreaks(garbage));
    std::size_t lineBreaks = 0;
    for (std::size_t i = 0; i < garbage.size(); ++i)
        lineBreaks += garbage[i] == '\n' || (garbage[i] == '\r' && (i + 1 == garbage.size() || garbage[i + 1] != '\n'));
    EXPECT_EQ(static_cast<std::size_t>(std::ranges::count(outcome.text, '\n')), lineBreaks);
}

// Wine's control reports an error for rich text whose groups are not all closed, and keeps what it read before it;
// Windows' control may load such text without an error. Either is right: the designed error, or a prefix of the text.
TEST_F(BadSample, DamagedRichTextLoadsAPrefixOrFails) {
    const std::string libreOffice = TestData("LibreOffice.rtf"), richEdit = TestData("Riched20.rtf");
    // Wine's control crashes on more than 32 nested groups, counting the document's own (TenThousandNestedGroups).
    const std::string nested = "{\\rtf1\\ansi " + std::string(31, '{') + "derin" + std::string(31, '}') + "}";
    const struct {
        const char* name;
        std::string content;
        std::string_view text;
        bool whole;  // the text must load whole, not only a prefix of it
    } kCases[] = {
        {"LibreOffice", libreOffice, kWritersText, true},
        {"rich-edit control", richEdit, kWritersText, true},
        {"LibreOffice, cut in half", libreOffice.substr(0, libreOffice.size() / 2), kWritersText, false},
        {"rich-edit control, cut in half", richEdit.substr(0, richEdit.size() / 2), kWritersText, false},
        {"LibreOffice, cut inside an escape", CutInside(libreOffice, "\\'fc"), kWritersText, false},
        {"rich-edit control, cut inside an escape", CutInside(richEdit, "\\'fc"), kWritersText, false},
        {"groups left open", "{\\rtf1\\ansi a {\\b b {\\i c", "a b c", false},
        {"groups closed too often: the document ends at its own", "{\\rtf1\\ansi a}} b}", "a", true},
        {"32 nested groups", nested, "derin", true},
        {"after a UTF-8 byte-order mark", "\xEF\xBB\xBF" + richEdit, kWritersText, true},
        {"after a blank line and spaces", "\r\n  " + libreOffice, kWritersText, true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = StartWith(c.content);
        if (c.whole)
            EXPECT_EQ(outcome, Loaded(c.text));
        else if (outcome.loaded)
            EXPECT_TRUE(c.text.starts_with(outcome.text)) << outcome.text;
        else
            EXPECT_EQ(outcome.text, kFailedToLoad);
    }
}

TEST_F(BadSample, TenThousandNestedGroups) {
    // Wine's rich-text reader keeps 32 groups' state in a fixed array and, closing deeper ones, reads past its end.
    if (UnderWine()) GTEST_SKIP() << "Wine's rich-edit control crashes on more than 32 nested groups";
    const Outcome outcome =
        StartWith("{\\rtf1\\ansi " + std::string(10000, '{') + "derin" + std::string(10000, '}') + "}");
    if (outcome.loaded)
        EXPECT_EQ(outcome.text, "derin");
    else
        EXPECT_EQ(outcome.text, kFailedToLoad);
}

// A picture is no text: the words around it load, and nothing of its hexadecimal data. Wine leaves out a picture it
// cannot show (PNG) and shows a metafile as a blank; on Windows an embedded picture reads as U+FFFC, which
// Windows-1254 gives as '?'.
TEST_F(BadSample, EmbeddedPicturesLeaveTheWordsAroundThem) {
    const struct {
        const char* name;
        const char* picture;
    } kCases[] = {
        {"PNG",
         "\\pngblip\\picw1\\pich1 89504e470d0a1a0a0000000d49484452000000010000000108020000009077"
         "53de0000000c49444154789c63f8cfc0000003010100c9fe92ef0000000049454e44ae426082"},
        {"metafile", "\\wmetafile8\\picw100\\pich100 0100090000030a00000000000400000000000300000000000000"},
        {"damaged hexadecimal data", "\\pngblip 89504e47zz0d0a"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome =
            StartWith("{\\rtf1\\ansi\\ansicpg1254 \\'d6nce {\\pict" + std::string(c.picture) + "} sonra\\par}");
        ASSERT_TRUE(outcome.loaded) << outcome.text;
        ASSERT_TRUE(outcome.text.starts_with("\xD6nce ") && outcome.text.ends_with(" sonra")) << outcome.text;
        const std::string between = outcome.text.substr(5, outcome.text.size() - 11);
        EXPECT_TRUE(std::ranges::all_of(between, [](char byte) { return byte == ' ' || byte == '?'; })) << outcome.text;
        EXPECT_LE(std::ranges::count(between, '?'), 1);
    }
}

std::string TooLarge(const char* kilobytes) {
    return "Metin.rtf \xE7ok b\xFCy\xFCk: " + std::string(kilobytes) + " KB. S\xFDnav metni en \xE7ok 256 KB olabilir.";
}

// The file is written with `content`, then lengthened to `size` bytes that are never written: past the limit the test
// finishing shows that nothing read them, which for the largest would take minutes.
TEST_F(BadSample, SamplesTooLargeForAnExamAreRefusedUnread) {
    constexpr std::string_view kLine =
        "I\xFE\xFDk \xE7i\xE7"
        "ek a\xF0"
        "a\xE7 \xDDstanbul\r\n";
    constexpr std::string_view kRichLine =
        "I\\'fe\\'fdk \\'e7i\\'e7"
        "ek a\\'f0"
        "a\\'e7 \\'ddstanbul\\par\n";
    constexpr std::uint64_t kLimit = exam::kMaxSampleBytes;
    const std::string plain = Repeated(kLine, kLimit / kLine.size() + 1).substr(0, kLimit);
    const std::size_t richLines = (kLimit - 30) / kRichLine.size();
    const std::string rich = "{\\rtf1\\ansi\\ansicpg1254 " + Repeated(kRichLine, richLines) + "}";
    const struct {
        const char* name;
        std::string content;
        std::uint64_t size;
        Outcome expected;
    } kCases[] = {
        {"plain text at the limit", plain, kLimit, Loaded(WithoutFinalLineBreaks(plain))},
        {"rich text just under the limit", rich, rich.size(),
         Loaded(WithoutFinalLineBreaks(Repeated(kLine, richLines)))},
        {"one byte over the limit", plain + "x", kLimit + 1, Failed(TooLarge("257"))},
        {"5 MB of plain text without a line break", Repeated("kelime ", 5 * 1024 * 1024 / 7 + 1), 5 * 1024 * 1024,
         Failed(TooLarge("5120"))},
        {"rich text over 4 GB, a size of more than 32 bits", rich, (std::uint64_t{4} << 30) + 1024,
         Failed(TooLarge("4194305"))},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        folder.Write(c.content);
        std::filesystem::resize_file(folder.SampleFile(), c.size);
        ASSERT_EQ(std::filesystem::file_size(folder.SampleFile()), c.size);
        EXPECT_EQ(Start(), c.expected);
    }
}

}  // namespace
