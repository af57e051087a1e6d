#include <gtest/gtest.h>

#include "hall/pure/PcStateFile.h"

namespace {

using hall::PcState;
using hall::StateRefusal;
using Reason = StateRefusal::Reason;
using namespace std::chrono_literals;

PcState Sample() {
    return {.label = "PC1 - (PC07)",
            .computer = "PC07",
            .version = "0.1.0",
            .phase = hall::Phase::Running,
            .candidateNumber = "1234567",
            .firstName = "Ay\u015Fe",
            .surname = "Y\xC4\xB1lmaz",
            .msLeft = 123'456,
            .wordsTyped = 42,
            .written = std::chrono::sys_days(std::chrono::year(2026) / 12 / 8) + 7h + 12min + 30s + 123ms,
            .problems = {.fallbackFolder = true, .notPrinted = true},
            .examId = "20261208-101230-7f3a09c2",
            .seq = 118,
            .digest = "3f0c9a",
            .journalProblem = "G\xC3\xBCnl\xC3\xBCk yaz\xC4\xB1lam\xC4\xB1yor",
            .takenUp = hall::TakenUp{40, 130'000}};
}

// Whatever a name holds comes back as it was, and never breaks a line; so does every phase, with each set of problems.
TEST(PcStateFile, AwkwardValuesComeBackWhole) {
    const std::string cases[] = {
        "Ali\nphase=results",
        "Ali\r\nVeli",
        "a=b=c",
        "\\n \\x41 \\",
        "Ali\\",
        std::string("a\0b\x01\x1F\x7F\t", 7),
        "\xC3\x87\xC4\x9E\xC4\xB0\xC3\x96\xC5\x9E\xC3\x9C \xC3\xA7\xC4\x9F\xC4\xB1\xC3\xB6",
        "",
    };
    for (int i = 0; i < 64; ++i) {
        PcState state = Sample();
        state.firstName = state.surname = state.label = state.journalProblem = cases[i % std::size(cases)];
        state.phase = static_cast<hall::Phase>(i % 8);
        state.problems = {(i & 8) != 0, (i & 16) != 0, (i & 32) != 0};
        if (i & 1) state.takenUp.reset();
        const std::string file = hall::EncodeState(state);
        EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 18) << i;
        const auto decoded = hall::DecodeState(file);
        ASSERT_TRUE(std::holds_alternative<PcState>(decoded)) << i;
        EXPECT_EQ(std::get<PcState>(decoded), state) << i;
    }
}

TEST(PcStateFile, TheFileReadsAsWritten) {
    EXPECT_EQ(hall::EncodeState(Sample()),
              "pc1-hall-state=2\nlabel=PC1 - (PC07)\ncomputer=PC07\nversion=0.1.0\nphase=running\ncandidate=1234567\n"
              "first-name=Ay\u015Fe\nsurname=Y\xC4\xB1lmaz\nms-left=123456\nwords=42\n"
              "written=2026-12-08T07:12:30.123Z\nproblems=fallback-folder,not-printed\n"
              "exam-id=20261208-101230-7f3a09c2\nseq=118\ndigest=3f0c9a\njournal=G\xC3\xBCnl\xC3\xBCk "
              "yaz\xC4\xB1lam\xC4\xB1yor\ntaken-up=40,130000\n"
              "end=17\n");
}

// A file of the first format reads without the keys that came later.
TEST(PcStateFile, ReadsTheFirstFormat) {
    std::string file = hall::EncodeState(Sample());
    file.replace(file.find("exam-id="), std::string::npos, "end=12\n").replace(0, 16, "pc1-hall-state=1");
    PcState first = Sample();
    first.examId = first.digest = first.journalProblem = "", first.seq = 0, first.takenUp.reset();
    EXPECT_EQ(std::get<PcState>(hall::DecodeState(file)), first);
}

// A file cut at any byte, the whole one aside, is refused as cut short, never taken for a state.
TEST(PcStateFile, EveryCutIsRefused) {
    const std::string file = hall::EncodeState(Sample());
    for (std::size_t length = 0; length < file.size(); ++length) {
        const auto decoded = hall::DecodeState(std::string_view(file).substr(0, length));
        ASSERT_TRUE(std::holds_alternative<StateRefusal>(decoded)) << length;
        EXPECT_EQ(std::get<StateRefusal>(decoded).reason, Reason::Incomplete) << length;
    }
}

TEST(PcStateFile, RefusesWhatIsNotAStateOfThisFormat) {
    const std::string good = hall::EncodeState(Sample());
    const auto replaced = [&](std::string_view from, std::string_view to) {
        std::string file = good;
        file.replace(file.find(from), from.size(), to);
        return file;
    };
    const struct {
        const char* what;
        std::string file;
        Reason reason;
        int version;
    } cases[] = {
        {"a newer format", replaced("pc1-hall-state=2", "pc1-hall-state=3"), Reason::Newer, 3},
        {"a newer format, cut", "pc1-hall-state=7\nlabel=", Reason::Newer, 7},
        {"another file", "[PC1]\nTutanakKlasoru=x\n", Reason::Foreign, 0},
        {"a byte-order mark", "\xEF\xBB\xBF" + good, Reason::Foreign, 0},
        {"Windows-1254 bytes", replaced("Y\xC4\xB1lmaz", "Y\xFDlmaz"), Reason::Foreign, 2},
        {"too large", good + std::string(hall::kMaxStateFileBytes, 'x'), Reason::Foreign, 0},
        {"lines lost", replaced("words=42\n", ""), Reason::Incomplete, 2},
        {"an unknown phase", replaced("phase=running", "phase=dancing"), Reason::Malformed, 2},
        {"a key renamed", replaced("surname=", "soyadi="), Reason::Malformed, 2},
        {"keys swapped", replaced("computer=PC07\nversion=0.1.0", "version=0.1.0\ncomputer=PC07"), Reason::Malformed,
         2},
        {"a negative time", replaced("ms-left=123456", "ms-left=-5"), Reason::Malformed, 2},
        {"an unknown escape", replaced("PC1 - (PC07)", "PC1 \\q"), Reason::Malformed, 2},
        {"a raw carriage return", replaced("PC1 - (PC07)", "PC1\r"), Reason::Malformed, 2},
        {"a local time", replaced("07:12:30.123Z", "07:12:30.123+03"), Reason::Malformed, 2},
        {"the 30th of February", replaced("2026-12-08", "2026-02-30"), Reason::Malformed, 2},
        {"an unknown problem", replaced("not-printed", "on-fire"), Reason::Malformed, 2},
        {"a trailing comma", replaced("not-printed", "not-printed,"), Reason::Malformed, 2},
        {"the first format with the new keys", replaced("pc1-hall-state=2", "pc1-hall-state=1"), Reason::Malformed, 1},
        {"a sequence number that is no count", replaced("seq=118", "seq=-1"), Reason::Malformed, 2},
        {"a take-up without its time left", replaced("taken-up=40,130000", "taken-up=40"), Reason::Malformed, 2},
    };
    for (const auto& c : cases) {
        const auto decoded = hall::DecodeState(c.file);
        ASSERT_TRUE(std::holds_alternative<StateRefusal>(decoded)) << c.what;
        EXPECT_EQ(std::get<StateRefusal>(decoded).reason, c.reason) << c.what;
        EXPECT_EQ(std::get<StateRefusal>(decoded).version, c.version) << c.what;
    }
}

}  // namespace
