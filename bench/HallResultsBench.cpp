// The hall's console at its largest: 100 PCs' records files of 100 lines each read and ranked, the ranked list sorted
// by surname and merged into one file, and the hall view refreshed from 100 state files. The console does this every
// few hundred ms and must show it within 200 ms, its window included. Runs natively: what is measured is the reading.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "hall/pure/DayResults.h"
#include "hall/pure/HallBoard.h"
#include "result/pure/RecordsFile.h"

namespace {

constexpr int kPcs = 100, kLinesPerFile = 100, kRuns = 21;
constexpr double kTargetResultsMs = 10, kTargetBoardMs = 2;

struct RecordsFile {
    std::string name, bytes;
};

std::vector<RecordsFile> DayFiles() {
    const std::string surnames[] = {"Y\xFDlmaz",    "\xC7\x65lik", "\xDE\x61hin",
                                    "\xD6zt\xFCrk", "Ayd\xFDn",    "Do\xF0\x61n"};
    std::vector<RecordsFile> files;
    for (int pc = 1; pc <= kPcs; ++pc) {
        const std::string computer = "PC" + std::to_string(pc);
        RecordsFile file{"2026-12-07_" + computer + ".csv",
                         std::string(result::kUtf8ByteOrderMark) + result::RecordsFileHeader()};
        for (int i = 0; i < kLinesPerFile; ++i) {
            result::ExamRecord record;
            record.computer = record.computerName = computer;
            record.clockStarted = {2026, 12, 7, 8 + i / 10, i % 60, pc % 60};
            record.clockEnded = {2026, 12, 7, 8 + i / 10, i % 60 + 3, pc % 60};
            record.firstName = i % 7 == 0 ? "Ali; \"Can\""
                                          : "Ay\xFE"
                                            "e";
            record.surname = surnames[(pc + i) % std::size(surnames)];
            record.candidateNumber = std::to_string(1'000'000 + pc * kLinesPerFile + i);
            record.typed = 200 + (pc * i) % 97, record.correct = 150 + (pc + i) % 50, record.wrong = i % 20;
            record.examId = "20261207-" + std::to_string(pc) + "-" + std::to_string(i);
            file.bytes += result::RecordsFileLine(record, "2026-12-07_080000_" + computer + ".rtf");
        }
        files.push_back(std::move(file));
    }
    return files;
}

std::vector<hall::StateSnapshot> HallFiles(hall::Instant now, int round) {
    std::vector<hall::StateSnapshot> files;
    for (int pc = 1; pc <= kPcs; ++pc) {
        hall::PcState state{};
        state.computer = "PC" + std::to_string(pc);
        state.label = "PC1 - (" + state.computer + ")";
        state.phase = static_cast<hall::Phase>(pc % 8);
        state.candidateNumber = std::to_string(1'000'000 + pc);
        state.firstName =
            "Ay\xC5\x9F"
            "e",
        state.surname = "Y\xC4\xB1lmaz";
        // Each round one PC in ten has written since the last.
        state.msLeft = 180'000 - (pc % 10 == round % 10 ? round * 300 : 0);
        state.wordsTyped = pc;
        state.written = now;
        files.push_back({state.computer + ".txt", hall::EncodeState(state), now});
    }
    return files;
}

double MedianMs(const std::function<void()>& work) {
    std::vector<double> ms;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::ranges::sort(ms);
    return ms[ms.size() / 2];
}

}  // namespace

int main() {
    const std::vector<RecordsFile> files = DayFiles();
    std::size_t bytes = 0, lines = 0, faults = 0;
    const auto readDay = [&] {
        std::vector<hall::ResultLine> day;
        day.reserve(kPcs * kLinesPerFile);
        bytes = faults = 0;
        for (const RecordsFile& file : files) {
            hall::DayRead read = hall::ReadRecordsFile(file.name, file.bytes);
            bytes += file.bytes.size(), faults += read.faults.size();
            day.insert(day.end(), std::make_move_iterator(read.lines.begin()),
                       std::make_move_iterator(read.lines.end()));
        }
        return day;
    };
    const double readMs = MedianMs([&] { lines = readDay().size(); });
    std::vector<hall::RankedResult> ranked;
    const double resultsMs = MedianMs([&] { ranked = hall::RankResults(readDay()); });
    if (lines != kPcs * kLinesPerFile || ranked.size() != lines || faults != 0) {
        std::printf("the day's files did not read back whole: %zu lines, %zu faults\n", lines, faults);
        return 1;
    }
    // As the console sorts a column: the results stay where they are, pointers to them move.
    const double sortMs = MedianMs([&] {
        std::vector<const hall::RankedResult*> sorted;
        for (const hall::RankedResult& result : ranked) sorted.push_back(&result);
        std::ranges::stable_sort(sorted, [](const hall::RankedResult* a, const hall::RankedResult* b) {
            return hall::ComesBefore(hall::ResultColumn::Surname, *a, *b);
        });
    });
    std::size_t mergedBytes = 0;
    const double mergeMs = MedianMs([&] { mergedBytes = hall::MergedRecordsFile(ranked).size(); });

    const hall::Instant now = std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now());
    std::vector<std::vector<hall::StateSnapshot>> rounds;
    for (int round = 0; round < kRuns; ++round) rounds.push_back(HallFiles(now, round));
    hall::HallBoard board;
    board.Refresh(rounds.back(), now);
    int round = 0;
    const double boardMs = MedianMs([&] {
        board.Refresh(rounds[round], now + std::chrono::milliseconds(300 * round));
        ++round;
    });

    std::printf("%d records files of %d lines (%.1f MB) read and ranked: median %.2f ms (target: under %.0f ms) %s\n",
                kPcs, kLinesPerFile, static_cast<double>(bytes) / 1e6, resultsMs, kTargetResultsMs,
                resultsMs < kTargetResultsMs ? "met" : "MISSED");
    std::printf("of which the reading alone: median %.2f ms\n", readMs);
    std::printf(
        "the %zu results sorted by surname: median %.2f ms; merged into one file of %zu bytes: median %.2f ms\n", lines,
        sortMs, mergedBytes, mergeMs);
    std::printf(
        "hall view of %d state files refreshed, one in ten changed: median %.3f ms (target: under %.0f ms) %s\n", kPcs,
        boardMs, kTargetBoardMs, boardMs < kTargetBoardMs ? "met" : "MISSED");
}
