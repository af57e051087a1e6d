// The hall's console at the size of a large centre: 100 PCs' state files and 10,000 records-file lines of one day
// in a local folder. Times one reading of the folder as the console's thread does it (first, with nothing changed,
// and after a round of every PC writing its state and one PC adding a line), and the window showing a reading with
// its rows drawn.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/Stopwatch.h"
#include "hall/pure/PcStateFile.h"
#include "result/pure/LocalTimeText.h"
#include "result/pure/RecordFileNames.h"
#include "result/pure/RecordsFile.h"
#include "salon/HallWatch.h"
#include "salon/SalonWindow.h"

namespace {

namespace fs = std::filesystem;
using bench::Milliseconds;
using bench::PerformanceCount;

constexpr int kPcs = 100, kLinesPerPc = 100, kRounds = 20;
constexpr double kTargetMs = 200;

result::LocalTime Today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, 9, 0, 0};
}

std::string Computer(int pc) {
    char name[8];
    std::snprintf(name, sizeof name, "PC%03d", pc);
    return name;
}

void WriteState(const fs::path& folder, int pc, int round) {
    hall::PcState state;
    state.label = "PC1 - (" + Computer(pc) + ")";
    state.computer = Computer(pc);
    state.version = "0.1.0";
    state.phase = pc % 10 == 0 ? hall::Phase::Waiting : hall::Phase::Running;
    state.candidateNumber = std::to_string(100'000 + pc);
    state.firstName = "\xC5\x9E\x65rife";
    state.surname = "\xC3\x96zt\xC3\xBCrk";
    state.msLeft = 180'000 - round * 2000;
    state.wordsTyped = round;
    state.written = std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now());
    std::ofstream(folder / "Salon" / (Computer(pc) + ".txt"), std::ios::binary) << hall::EncodeState(state);
}

result::ExamRecord Exam(int pc, int line) {
    result::ExamRecord record;
    record.computer = "PC1 - (" + Computer(pc) + ")";
    record.computerName = Computer(pc);
    record.clockStarted = record.clockEnded = Today();
    record.clockStarted.minute = line % 60;
    record.firstName =
        "Ay\xFE"
        "e";
    record.surname = "Y\xFDlmaz";
    record.candidateNumber = std::to_string(pc * 1000 + line);
    record.correct = (pc * 7 + line * 13) % 90;
    record.wrong = line % 9;
    record.typed = record.correct + record.wrong;
    record.examId = Computer(pc) + "-" + std::to_string(line);
    return record;
}

void AppendLine(const fs::path& folder, int pc, int line) {
    const fs::path path = folder / result::RecordsFileName(Today(), Computer(pc));
    std::string file;
    if (fs::exists(path)) std::ifstream(path, std::ios::binary) >> std::noskipws >> file;
    std::ofstream(path, std::ios::binary | std::ios::app)
        << result::RecordsFileAddition(file, Exam(pc, line), "belge.rtf");
}

void WriteHall(const fs::path& folder) {
    fs::create_directories(folder / "Salon");
    for (int pc = 1; pc <= kPcs; ++pc) {
        WriteState(folder, pc, 0);
        std::string file;
        for (int line = 0; line < kLinesPerPc; ++line)
            file += result::RecordsFileAddition(file, Exam(pc, line), "belge.rtf");
        std::ofstream(folder / result::RecordsFileName(Today(), Computer(pc)), std::ios::binary) << file;
    }
}

struct Spread {
    double median, worst;
};

Spread Of(std::vector<double> times) {
    std::ranges::sort(times);
    return {times[times.size() / 2], times.back()};
}

void Report(const char* what, Spread spread) {
    std::printf("%-58s median %6.1f ms, worst %6.1f ms (target %.0f ms)\n", what, spread.median, spread.worst,
                kTargetMs);
}

}  // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / ("pc1-hall-bench-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder);
    WriteHall(folder);
    const std::string day = result::IsoDate(Today());
    std::printf("%d PCs, %d records-file lines of %s in %s\n", kPcs, kPcs * kLinesPerPc, day.c_str(),
                folder.string().c_str());

    std::vector<double> first, unchanged, changed, shown;
    salon::HallReading last;
    for (int round = 1; round <= kRounds; ++round) {
        salon::HallMemory memory;
        memory.witnessFolder = (folder / "Tanik").wstring();  // as the console keeps its witness
        LARGE_INTEGER start = PerformanceCount();
        salon::ReadHall(folder.wstring(), day, memory);
        first.push_back(Milliseconds(start, PerformanceCount()));
        start = PerformanceCount();
        salon::ReadHall(folder.wstring(), day, memory);
        unchanged.push_back(Milliseconds(start, PerformanceCount()));
        for (int pc = 1; pc <= kPcs; ++pc) WriteState(folder, pc, round);
        AppendLine(folder, round, kLinesPerPc + round);
        start = PerformanceCount();
        last = salon::ReadHall(folder.wstring(), day, memory);
        changed.push_back(Milliseconds(start, PerformanceCount()));
    }
    std::printf("a reading shows %zu PCs and %zu results\n", last.pcs.size(), last.results.size());

    salon::TSalonForm form(folder.wstring(), {});
    ShowWindow(form.Handle(), SW_SHOW);
    for (int round = 0; round < kRounds; ++round) {
        const LARGE_INTEGER start = PerformanceCount();
        form.ShowReading(std::make_unique<salon::HallReading>(last));
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        shown.push_back(Milliseconds(start, PerformanceCount()));
    }

    Report("reading the folder, first time (every file parsed)", Of(first));
    Report("reading the folder again, nothing changed", Of(unchanged));
    Report("reading after every PC wrote its state and one a line", Of(changed));
    Report("the window showing a reading, sorted and drawn", Of(shown));
    fs::remove_all(folder);
}
