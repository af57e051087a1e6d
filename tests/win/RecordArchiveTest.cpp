#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "platform/Resource.h"
#include "platform/RichEdit.h"
#include "result/RecordArchive.h"
#include "result/pure/RecordsFile.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemplate = "\\trowd\\cellx9638\\pard\\intbl $adayno$ $metin$\\cell\\row\r\n";

result::ExamRecord SampleRecord() {
    result::ExamRecord record;
    record.computer = "PC1 - (PC07)";
    record.computerName = "PC07";
    record.clockStarted = {2026, 12, 7, 14, 30, 12};
    record.clockEnded = {2026, 12, 7, 14, 33, 12};
    record.firstName =
        "Ay\xFE"
        "e";
    record.surname = "Y\xFDlmaz";
    record.candidateNumber = "12345";
    record.typedText = "bir iki";
    record.typed = 2, record.correct = 2;
    return record;
}

std::string Contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

std::size_t Count(std::string_view text, std::string_view part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path().filename());
    return files;
}

// A fresh folder of the test's own under the temporary folder, removed afterwards.
class RecordArchiveTest : public testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("pc1-record-archive-" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(root_);
    }
    void TearDown() override { fs::remove_all(root_); }
    fs::path root_;
};

// A drive letter that no drive has, as a share that is down or a drive that is gone.
std::string MissingDriveFolder() {
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'Y'; letter > 'D'; --letter) {
        if (!(drives & (1u << (letter - 'A')))) return std::string(1, letter) + ":\\Tutanaklar";
    }
    return {};
}

// Two exams of the same candidate in the same second: both documents kept, the records file with one mark and header.
// The configured folder is made with its parents, its name in UTF-8 with a Turkish letter.
TEST_F(RecordArchiveTest, KeepsEveryRecordAndNeverOverwrites) {
    const fs::path folder = root_ / L"a" / L"Tutanaklar\u015F";
    const result::RecordArchive archive(reinterpret_cast<const char*>(folder.u8string().c_str()), root_ / L"default");
    const result::KeptRecord first = archive.Keep(kTemplate, SampleRecord());
    const result::KeptRecord second = archive.Keep(kTemplate, SampleRecord());
    for (const auto& kept : {first, second}) {
        EXPECT_EQ(kept.note, "");
        EXPECT_EQ(kept.error, "");
    }
    EXPECT_EQ(first.documentPath, (folder / L"2026-12-07_143012_PC07_12345.rtf").wstring());
    EXPECT_EQ(second.documentPath, (folder / L"2026-12-07_143012_PC07_12345_2.rtf").wstring());
    EXPECT_EQ(first.recordsFilePath, (folder / L"2026-12-07_PC07.csv").wstring());
    EXPECT_EQ(FilesIn(folder).size(), 3u) << "no temporary file left behind";
    EXPECT_TRUE(Contents(first.documentPath).starts_with("{\\rtf1"));
    EXPECT_NE(Contents(second.documentPath).find(" 12345 bir iki\\cell"), std::string::npos);

    const std::string csv = Contents(first.recordsFilePath);
    EXPECT_TRUE(csv.starts_with(std::string(result::kUtf8ByteOrderMark) + result::RecordsFileHeader()));
    EXPECT_EQ(Count(csv, result::kUtf8ByteOrderMark), 1u);
    EXPECT_EQ(Count(csv, "\r\n"), 3u);
    EXPECT_EQ(Count(csv, "Tarih;"), 1u);
    EXPECT_NE(csv.find(";Ay\xC5\x9F"
                       "e;Y\xC4\xB1lmaz;2;2;0;2;2026-12-07_143012_PC07_12345.rtf;0;0;;;\r\n"),
              std::string::npos);
    EXPECT_TRUE(csv.ends_with(";2026-12-07_143012_PC07_12345_2.rtf;0;0;;;\r\n"));
    EXPECT_FALSE(fs::exists(root_ / L"default"));
}

// An exam kept again, as the next start does after the PC stopped on the way: one document and one line of the exam
// whatever had been kept before, in the folder that took it first; another exam under the same names keeps its own.
TEST_F(RecordArchiveTest, KeepsEachExamOnce) {
    const fs::path configured = root_ / L"Tutanaklar", fallback = root_ / L"default";
    const std::string configuredUtf8 = reinterpret_cast<const char*>(configured.u8string().c_str());
    result::ExamRecord record = SampleRecord();
    record.examId = "20261207-143012-7f3a09c2";
    const struct {
        std::string name;
        bool outOfReach, documentLost, lineLost;  // the configured folder at the first keep; what the PC lost
    } cases[] = {
        {"kept in the default folder while the configured one was out of reach", true, false, false},
        {"stopped before the line", false, false, true},
        {"stopped before the document was in place", false, true, false},
        {"kept whole", false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root_);
        const result::KeptRecord first =
            result::RecordArchive(c.outOfReach ? MissingDriveFolder() : configuredUtf8, fallback)
                .Keep(kTemplate, record);
        if (c.documentLost) fs::remove(first.documentPath);
        if (c.lineLost) std::ofstream(fs::path(first.recordsFilePath), std::ios::binary) << result::RecordsFileHeader();
        const result::KeptRecord again = result::RecordArchive(configuredUtf8, fallback).Keep(kTemplate, record);
        EXPECT_EQ(again.error, "");
        EXPECT_EQ(again.documentPath, first.documentPath);
        EXPECT_EQ(FilesIn(c.outOfReach ? fallback : configured).size(), 2u);
        EXPECT_EQ(fs::exists(configured), !c.outOfReach);
        EXPECT_EQ(Count(Contents(again.recordsFilePath), record.examId), 1u);
    }
    record.examId = "20261207-143012-00000001";
    const result::KeptRecord kept = result::RecordArchive(configuredUtf8, fallback).Keep(kTemplate, record);
    EXPECT_EQ(kept.documentPath, (configured / L"2026-12-07_143012_PC07_12345_2.rtf").wstring());
    EXPECT_EQ(Count(Contents(kept.recordsFilePath), ".rtf;0;0;20261207-143012-"), 2u);
}

// Beyond MAX_PATH (260) Windows takes a path only in its long form, and GetTempFileNameW not at all.
TEST_F(RecordArchiveTest, KeepsTheRecordInAFolderLongerThanMaxPath) {
    const fs::path folder = root_ / std::wstring(120, L'k') / std::wstring(300 - root_.native().size() - 122, L'k');
    const result::KeptRecord kept =
        result::RecordArchive(reinterpret_cast<const char*>(folder.u8string().c_str()), root_ / L"default")
            .Keep(kTemplate, SampleRecord());
    EXPECT_EQ(kept.note, "");
    EXPECT_EQ(kept.error, "");
    EXPECT_EQ(kept.documentPath, folder.wstring() + L"\\2026-12-07_143012_PC07_12345.rtf");
    EXPECT_TRUE(Contents(LR"(\\?\)" + kept.documentPath).starts_with("{\\rtf1"));
    EXPECT_TRUE(Contents(LR"(\\?\)" + kept.recordsFilePath).ends_with(";2026-12-07_143012_PC07_12345.rtf;0;0;;;\r\n"));
    // std::filesystem of MinGW stops at MAX_PATH: the long folder goes the way it came, and only when it is empty.
    for (const std::wstring& file : {kept.documentPath, kept.recordsFilePath}) DeleteFileW((LR"(\\?\)" + file).c_str());
    for (fs::path level = folder; level != root_; level = level.parent_path())
        RemoveDirectoryW((LR"(\\?\)" + level.wstring()).c_str());
}

TEST_F(RecordArchiveTest, FallsBackToTheDefaultFolderWhenTheConfiguredOneIsOutOfReach) {
    const std::string unreachable = MissingDriveFolder();
    ASSERT_FALSE(unreachable.empty());
    const result::KeptRecord kept =
        result::RecordArchive(unreachable, root_ / L"default").Keep(kTemplate, SampleRecord());
    EXPECT_TRUE(kept.note.starts_with("Tutanak klas\xF6r\xFCne ula\xFE\xFDlamad\xFD (" + unreachable + ": "))
        << kept.note;
    EXPECT_TRUE(kept.note.ends_with("tutanak yerel klas\xF6re kaydedildi: " + (root_ / "default").string()))
        << kept.note;
    EXPECT_EQ(kept.error, "");
    EXPECT_EQ(kept.documentPath, (root_ / L"default" / L"2026-12-07_143012_PC07_12345.rtf").wstring());
    EXPECT_TRUE(fs::exists(kept.documentPath));
    EXPECT_TRUE(fs::exists(kept.recordsFilePath));
}

// Excel keeps a file it has open from being written. A records file held a moment is written once it is free; one held
// throughout keeps the record's document and says which file missed its line.
TEST_F(RecordArchiveTest, WaitsForARecordsFileHeldByAnotherProgram) {
    const struct {
        std::string name;
        int heldMilliseconds;  // 0: until the record has been kept
        bool lineAdded;
    } cases[] = {
        {"held a moment", 200, true},
        {"held throughout", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path folder = root_ / c.name;
        const fs::path recordsFile = folder / L"2026-12-07_PC07.csv";
        fs::create_directories(folder);
        const HANDLE held = CreateFileW(recordsFile.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        std::thread holder([&] {
            if (c.heldMilliseconds > 0) {
                Sleep(c.heldMilliseconds);
                CloseHandle(held);
            }
        });
        const result::KeptRecord kept =
            result::RecordArchive(reinterpret_cast<const char*>(folder.u8string().c_str()), root_ / L"default")
                .Keep(kTemplate, SampleRecord());
        holder.join();
        if (c.heldMilliseconds == 0) CloseHandle(held);
        EXPECT_TRUE(fs::exists(kept.documentPath));
        EXPECT_EQ(kept.recordsFilePath.empty(), !c.lineAdded);
        EXPECT_EQ(kept.error.starts_with("Kay\xFDt dosyas\xFDna sat\xFDr eklenemedi (" + recordsFile.string()),
                  !c.lineAdded)
            << kept.error;
        EXPECT_EQ(Count(Contents(recordsFile), ".rtf;0;0;;;\r\n"), c.lineAdded ? 1u : 0u);
    }
}

// The kept document as a rich-text reader sees it (the rich edit control, WordPad's own): the template's table filled,
// the candidate's letters and line breaks as typed, the wrong word underlined, the board's names under their lines.
TEST_F(RecordArchiveTest, ARichTextReaderReadsTheKeptDocument) {
    const auto rows = platform::ResourceBytes(L"TESTDOC", RT_RCDATA);
    result::ExamRecord record = SampleRecord();
    record.typedText = "{bir} \\par\r\n\xE7\xFD\xF0 iki";
    record.wrongWords = {{16, 3}};
    record.board.chair = "\xD6mer \xDE\xFDk";
    record.examId = "20261207-143012-7f3a09c2";
    record.interruptions = {{{2026, 12, 7, 14, 31, 0}, {2026, 12, 7, 14, 40, 5}, 72, false}};
    const result::KeptRecord kept =
        result::RecordArchive("", root_ / L"default")
            .Keep(std::string_view(reinterpret_cast<const char*>(rows.data()), rows.size()), record);
    ASSERT_EQ(kept.error, "");

    ASSERT_TRUE(LoadLibraryW(L"riched32.dll"));
    const HWND edit = CreateWindowExW(0, L"RICHEDIT", L"", WS_POPUP | ES_MULTILINE, 0, 0, 800, 600, nullptr, nullptr,
                                      nullptr, nullptr);
    ASSERT_TRUE(edit);
    ASSERT_TRUE(platform::LoadRichEditRtf(edit, Contents(kept.documentPath)));
    const std::string text = platform::RichEditText(edit);
    // Wine's rich edit reads a line break inside a cell as a blank: the typed text is looked for on either side.
    for (const std::string part : {"Ay\xFE"
                                   "e",
                                   "Y\xFDlmaz", "{bir} \\par", "\xE7\xFD\xF0 iki", "\xD6mer \xDE\xFDk", "07.12.2026",
                                   "Kesintiler:", "14:31:00 - 14:40:05 aras\xFDnda kesildi"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << testing::PrintToString(text);
    }
    const auto wrongWord = static_cast<int>(text.find("\xE7\xFD\xF0 iki") + 4);
    EXPECT_TRUE(platform::IsRichEditRangeUnderlined(edit, wrongWord, 3));
    EXPECT_FALSE(platform::IsRichEditRangeUnderlined(edit, wrongWord - 4, 3));
    DestroyWindow(edit);
    EXPECT_EQ(text.find('$'), std::string::npos) << text;
    EXPECT_EQ(text.find(record.examId), std::string::npos) << "the exam id is the document's comment, not its text";
}

// Records kept at the same moment by several writers: none lost, none overwritten, no two lines run together.
TEST_F(RecordArchiveTest, WritersAtTheSameMomentKeepEveryRecord) {
    constexpr int kWriters = 6, kRecordsEach = 5;
    const result::RecordArchive archive("", root_ / L"default");
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&] {
            for (int r = 0; r < kRecordsEach; ++r) EXPECT_EQ(archive.Keep(kTemplate, SampleRecord()).error, "");
        });
    }
    for (auto& writer : writers) writer.join();
    EXPECT_EQ(FilesIn(root_ / L"default").size(), kWriters * kRecordsEach + 1u);
    const std::string csv = Contents(root_ / L"default" / L"2026-12-07_PC07.csv");
    EXPECT_EQ(Count(csv, result::kUtf8ByteOrderMark), 1u);
    EXPECT_EQ(Count(csv, "\r\n"), kWriters * kRecordsEach + 1u);
    EXPECT_EQ(Count(csv, ".rtf;0;0;;;\r\n"), kWriters * kRecordsEach + 0u);
    EXPECT_EQ(Count(csv, "\r\n07.12.2026;"), kWriters * kRecordsEach + 0u);
}

}  // namespace
