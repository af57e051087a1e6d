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

// What another program may leave in the hall's folder, read twice a second apart.
TEST(HallBoard, CallsOutFilesThatAreNotThePcsOwn) {
    const auto state = [](std::string computer, std::int64_t seq, std::int64_t msLeft) {
        return hall::EncodeState(
            {.label = computer, .computer = computer, .phase = Phase::Running, .msLeft = msLeft, .seq = seq});
    };
    const std::string twoWriters = "Durum dosyas\xFDna iki program yaz\xFDyor",
                      foreign = "Yabanc\xFD dosya: PC1'in durum dosyas\xFD de\xF0il";
    const struct {
        std::string name;
        std::vector<hall::StateSnapshot> first, second;
        std::string phase, problems;
    } cases[] = {
        {"its own writes",
         {{"PC07.txt", state("PC07", 5, 9000), kStart}},
         {{"PC07.txt", state("PC07", 6, 8000), kStart}},
         "S\xFDnavda",
         ""},
        {"a state written again with its number",
         {{"PC07.txt", state("PC07", 5, 9000), kStart}},
         {{"PC07.txt", state("PC07", 5, 90000), kStart}},
         "S\xFDnavda",
         twoWriters},
        {"an older state put back",
         {{"PC07.txt", state("PC07", 5, 9000), kStart}},
         {{"PC07.txt", state("PC07", 4, 9500), kStart}},
         "S\xFDnavda",
         twoWriters},
        {"another PC's state",
         {},
         {{"PC07.txt", state("PC08", 5, 9000), kStart}},
         "Okunam\xFDyor",
         "Yabanc\xFD dosya: ba\xFEka bir bilgisayar\xFDn durumu: PC08"},
        {"a file too large to be a state", {}, {{"PC07.txt", "", kStart, true}}, "Okunam\xFDyor", foreign},
        {"random bytes", {}, {{"PC07.txt", std::string("\x8F\0\xFFpc1", 6), kStart}}, "Okunam\xFDyor", foreign},
        {"two files of one computer",
         {},
         {{"PC07.txt", state("PC07", 5, 9000), kStart}, {"pc07.txt", state("pc07", 9, 9000), kStart}},
         "S\xFDnavda",
         "Bu bilgisayar ad\xFD ba\xFEka bir dosyada da var"},
    };
    for (const auto& c : cases) {
        hall::HallBoard board;
        board.Refresh(c.first, kStart);
        board.Refresh(c.second, kStart + 1s);
        for (const hall::HallRow& row : board.Rows()) {
            EXPECT_EQ(std::tie(row.phase, row.problems), std::tie(c.phase, c.problems)) << c.name;
            EXPECT_EQ(row.tone == Tone::Alarm, !c.problems.empty()) << c.name;
        }
    }
}

}  // namespace
