#include <gtest/gtest.h>

#include "hall/pure/HallBoard.h"

namespace {

using hall::Phase;
using hall::Tone;
using namespace std::chrono_literals;

const hall::Instant kStart = std::chrono::sys_days(std::chrono::year(2026) / 12 / 8) + 9h;

hall::StateSnapshot File(std::string label, Phase phase, std::int64_t msLeft, hall::Instant written = kStart) {
    hall::PcState state;
    state.label = state.computer = label, state.phase = phase, state.msLeft = msLeft;
    state.problems.notPrinted = phase == Phase::Results;
    return {label + ".txt", hall::EncodeState(state), written};
}

// One PC over a morning, by the console's clock: its file was last written 3 s before the console first saw it. A
// stopped exam's PC writes as often as a running one's.
TEST(HallBoard, APcSilentForTenSecondsWhileItsExamRunsIsNotAnswering) {
    const struct {
        std::chrono::seconds at;
        Phase phase;
        std::int64_t msLeft;
        std::string phase_, timeLeft, seen;
        Tone tone;
    } steps[] = {
        {0s, Phase::Running, 125'000, "S\xFDnavda", "2:05", "", Tone::Busy},
        {7s, Phase::Running, 125'000, "Yan\xFDt vermiyor", "2:05", "10 sn \xF6nce", Tone::Alarm},
        {8s, Phase::Running, 119'001, "S\xFDnavda", "2:00", "", Tone::Busy},
        {17s, Phase::Running, 119'001, "S\xFDnavda", "2:00", "", Tone::Busy},
        {200s, Phase::Running, 119'001, "Yan\xFDt vermiyor", "2:00", "3 dk \xF6nce", Tone::Alarm},
        {201s, Phase::Stopped, 60'000, "Durduruldu", "1:00", "", Tone::Busy},
        {5000s, Phase::Stopped, 60'000, "Yan\xFDt vermiyor", "1:00", "1 sa \xF6nce", Tone::Alarm},
        {5001s, Phase::Unfinished, 60'000, "Yar\xFDm kalan s\xFDnav: g\xF6zetmen bekleniyor", "1:00", "",
         Tone::Attention},
    };
    hall::HallBoard board;
    for (const auto& step : steps) {
        const hall::StateSnapshot file = File("PC07", step.phase, step.msLeft, kStart - 3s);
        board.Refresh({&file, 1}, kStart + step.at);
        const hall::HallRow& row = board.Rows().at(0);
        EXPECT_EQ(std::tie(row.phase, row.timeLeft, row.seen, row.tone),
                  std::tie(step.phase_, step.timeLeft, step.seen, step.tone))
            << step.at;
    }
}

// Each row named naturally, a file that does not decode among them, a PC that died long before the console started.
TEST(HallBoard, ListsEveryFileByItsLabelUntilItGoes) {
    const hall::StateSnapshot files[] = {File("PC10", Phase::Results, 0),
                                         {"x.txt", "merhaba", kStart},
                                         {"PC3.txt", "pc1-hall-state=3\n", kStart},
                                         File("PC2", Phase::Countdown, 180'000, kStart - 1h),
                                         File("PC1", Phase::Waiting, 180'000, kStart - 1h)};
    const struct {
        std::string label, phase, problems;
        Tone tone;
    } rows[] = {
        {"PC1", "Aday bekleniyor", "", Tone::Idle},
        {"PC2", "Yan\xFDt vermiyor", "", Tone::Alarm},
        {"PC3.txt", "Okunam\xFDyor", "Daha yeni bir PC1 s\xFCr\xFCm\xFCnden (bi\xE7im 3): konsolu g\xFCncelleyin",
         Tone::Alarm},
        {"PC10", "Sonu\xE7lar ekranda", "Tutanak yazd\xFDr\xFDlamad\xFD", Tone::Attention},
        {"x.txt", "Okunam\xFDyor", "Yabanc\xFD dosya: PC1'in durum dosyas\xFD de\xF0il", Tone::Alarm},
    };
    hall::HallBoard board;
    board.Refresh(files, kStart);
    ASSERT_EQ(board.Rows().size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const hall::HallRow& row = board.Rows()[i];
        EXPECT_EQ(std::tie(row.label, row.phase, row.problems, row.tone),
                  std::tie(rows[i].label, rows[i].phase, rows[i].problems, rows[i].tone))
            << i;
    }
    board.Refresh(std::span(files).first(1), kStart + 1s);
    ASSERT_EQ(board.Rows().size(), 1u);
    EXPECT_EQ(board.Rows()[0].label, "PC10");
}

// What another program may leave in the hall's folder, read a second after PC07's running state, numbered 5.
TEST(HallBoard, CallsOutFilesThatAreNotThePcsOwn) {
    const auto file = [](std::string name, std::string computer, std::int64_t seq, std::int64_t msLeft = 9000) {
        return hall::StateSnapshot{
            name + ".txt",
            hall::EncodeState(
                {.label = computer, .computer = computer, .phase = Phase::Running, .msLeft = msLeft, .seq = seq}),
            kStart};
    };
    const std::string running = "S\xFDnavda", unreadable = "Okunam\xFDyor", twoWriters = "Durum dosyas\xFDna iki";
    const struct {
        std::string name;
        std::vector<hall::StateSnapshot> files;
        std::string phase, problems;
    } cases[] = {
        {"its own next write", {file("PC07", "PC07", 6, 8000)}, running, ""},
        {"its number written again", {file("PC07", "PC07", 5, 90'000)}, running, twoWriters},
        {"an older state put back", {file("PC07", "PC07", 4)}, running, twoWriters},
        {"another PC's state", {file("PC07", "PC08", 6)}, unreadable, "Yabanc\xFD dosya: ba\xFEka bir"},
        {"a file too large to be a state", {{"PC07.txt", "", kStart, true}}, unreadable, "Yabanc\xFD dosya: PC1"},
        {"random bytes", {{"PC07.txt", std::string("\x8F\0\xFFpc1", 6), kStart}}, unreadable, "Yabanc\xFD dosya"},
        {"two files of one computer", {file("PC07", "PC07", 6), file("pc07", "pc07", 9)}, running, "Bu bilgisayar"},
    };
    for (const auto& c : cases) {
        hall::HallBoard board;
        const hall::StateSnapshot first = file("PC07", "PC07", 5);
        board.Refresh({&first, 1}, kStart);
        board.Refresh(c.files, kStart + 1s);
        for (const hall::HallRow& row : board.Rows()) {
            EXPECT_TRUE(row.phase == c.phase && row.problems.starts_with(c.problems) &&
                        (row.tone == Tone::Alarm) != c.problems.empty())
                << c.name << ": " << row.problems;
        }
    }
}

}  // namespace
