// The exam journal on disk: written on its thread through compactions, continued after a torn tail, listed, moved
// aside and beside its record.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "journal/JournalFiles.h"
#include "journal/JournalWriter.h"
#include "platform/KeyDerivation.h"

namespace {

namespace fs = std::filesystem;
using namespace journal;

constexpr std::int64_t kOpened = 1'796'654'000'000;

const Opening kOpening{"20261207-142000-7f3a09c2",   "12345",  "G\xFCl", "Y\xFDlmaz", "PC1 - (PC07)", "PC07",
                       platform::Sha256Hex("Metin"), "Metin.", kOpened};

void Touch(const fs::path& path) { std::ofstream(path) << "x"; }

// A fresh folder of the test's own under the temporary folder, removed afterwards.
class JournalWriterTest : public testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("pc1-journal-" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(root_);
        fs::create_directories(root_);
        path_ = (root_ / "20261207-142000-7f3a09c2.pc1j").wstring();
    }
    void TearDown() override { fs::remove_all(root_); }

    // The event, written and applied to the state the file must replay to.
    void Write(JournalWriter& writer, const Event& event) {
        ASSERT_TRUE(expected_.Apply(event));
        writer.Write(event);
    }

    fs::path root_;
    std::wstring path_;
    JournalState expected_ = OpenedState(kOpening);
};

// Text typed and erased again grows the log far past the compaction's bound while the text stays short; flushes
// every hundred events make frames of many sizes.
TEST_F(JournalWriterTest, TheFileReplaysToTheWrittenStateThroughCompactions) {
    {
        JournalWriter writer(path_, kOpening);
        Write(writer, ClockStarted{kOpened + 5'000});
        for (std::uint32_t i = 0; i < 1'500; ++i) {
            Write(writer, Edit{i * 100, 0, 0, std::string(60, static_cast<char>('a' + i % 26))});
            Write(writer, Edit{i * 100 + 50, 0, i % 2 == 0 ? 60u : 59u, ""});
            if (i % 50 == 0) writer.Flush();
        }
        writer.WriteNow(Stopped{150'000, kOpened + 155'000});
        EXPECT_EQ(writer.Problem(), "");
        ASSERT_TRUE(expected_.Apply(Stopped{150'000, kOpened + 155'000}));
    }
    const ReadResult read = ReadJournalFile(path_);
    EXPECT_TRUE(read.state == expected_);
    EXPECT_EQ(read.validBytes, fs::file_size(path_));
    EXPECT_LT(fs::file_size(path_), JournalLog::kCompactionBytes + 1'000) << "about 100 KB of frames were written";
    EXPECT_FALSE(fs::exists(path_ + L".tmp"));
}

TEST_F(JournalWriterTest, AJournalWithATornTailGoesOnFromItsLastWholeFrame) {
    {
        JournalWriter writer(path_, kOpening);
        Write(writer, ClockStarted{kOpened});
        Write(writer, Edit{500, 0, 0, "bir iki"});
    }
    const std::string torn = EncodeFrame(std::vector<Event>{Edit{900, 7, 0, " \xFC\xE7"}});
    std::ofstream(fs::path(path_), std::ios::binary | std::ios::app) << torn.substr(0, torn.size() - 2);
    const ReadResult read = ReadJournalFile(path_);
    ASSERT_TRUE(read.state == expected_);
    EXPECT_LT(read.validBytes, fs::file_size(path_));
    {
        JournalWriter writer(path_, *read.state, read.validBytes);
        Write(writer, Continued{kOpened + 500, kOpened + 90'000, 500});
        Write(writer, Edit{700, 7, 0, " \xFC\xE7"});
        writer.Write(ClockStarted{kOpened});
        writer.Flush();
        EXPECT_NE(writer.Problem().find("1 olay\xFD yazmad\xFD"), std::string::npos) << writer.Problem();
    }
    const ReadResult again = ReadJournalFile(path_);
    EXPECT_TRUE(again.state == expected_);
    EXPECT_EQ(again.validBytes, fs::file_size(path_));
    EXPECT_THROW((JournalWriter{path_, kOpening}), std::runtime_error) << "an existing journal is never overwritten";
}

TEST_F(JournalWriterTest, JournalsAreListedOldestFirstAndMovedWithoutOverwriting) {
    for (const char* name : {"20261207-150000-b.pc1j", "20261207-140000-a.pc1j", "Metin.rtf", "c.pc1j.okunamadi"})
        Touch(root_ / name);
    const std::wstring older = (root_ / "20261207-140000-a.pc1j").wstring(),
                       newer = (root_ / "20261207-150000-b.pc1j").wstring();
    EXPECT_EQ(JournalsIn(root_.wstring()), (std::vector<std::wstring>{older, newer}));

    EXPECT_EQ(MoveAside(older), older + L".okunamadi");
    Touch(older);
    EXPECT_EQ(MoveAside(older), older + L".2.okunamadi");
    EXPECT_TRUE(fs::exists(older + L".okunamadi"));

    const fs::path records = root_ / L"Tutanaklar\u015F";
    fs::create_directories(records);
    EXPECT_TRUE(MoveBesideRecord(newer, (records / "2026-12-07_1420_PC07_12345.RTF").wstring()));
    EXPECT_TRUE(fs::exists(records / "2026-12-07_1420_PC07_12345.pc1j"));
    Touch(newer);
    EXPECT_FALSE(MoveBesideRecord(newer, (records / "2026-12-07_1420_PC07_12345.rtf").wstring()));
    EXPECT_TRUE(fs::exists(newer));
}

TEST(SampleIdentity, IsTheSha256OfTheSampleBytes) {
    EXPECT_EQ(platform::Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

}  // namespace
