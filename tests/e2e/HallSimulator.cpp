// Plays a hall of PCs for the hall's console: each PC writes its state file in FOLDER\Salon with PC1's own writer and
// adds each finished exam's line to its records file for the day with PC1's own function, at the real pace, its
// exams cut to half a minute so that a few minutes see several.
//
//   hall-simulator FOLDER PCS SECONDS [SEED] [--prefill LINES]
//
// PCS computers, PC001 and on, go from waiting to ready, the countdown, the running exam (written every two seconds,
// its time left counting down), the time-up dialog and the results, and again. One PC in ten is killed in a running
// exam: it writes nothing more, its file saying "running". One day's file in twenty is held from the start for 10 to
// 20 s, open with no sharing, so that no other program can read it; the lines of its PC wait until it is let go;
// "the hall runs" says when the holds are taken. --prefill spreads that many lines over the PCs' day files first, as
// a long day leaves them. After SECONDS no exam begins;
// those under way run to their results, and then FOLDER\expected.txt says what the console must show, UTF-8, one
// line each, fields joined by a tab:
//   pc NAME PHASE [not-answering]     the phase each PC wrote last; the killed ones not answering
//   line NAME EXAM-ID                 every line added to a day file, prefilled or not
//   held FILE FROM-MS TO-MS           each day file held, and when (milliseconds since 1970, UTC)
// SEED chooses which PCs are killed, and when, and which files are held.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <optional>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "hall/StateWriter.h"
#include "journal/pure/ExamId.h"
#include "platform/Cp1254.h"
#include "platform/Files.h"
#include "platform/pure/LongPaths.h"
#include "result/RecordArchive.h"
#include "result/RecordKeeper.h"
#include "result/pure/RecordFileNames.h"
#include "tests/e2e/Console.h"
#include "text/Cp1254Unicode.h"

namespace {

using Clock = std::chrono::steady_clock;
using WallClock = std::chrono::system_clock;
using hall::Phase;
using std::chrono::milliseconds;
using namespace std::chrono_literals;

constexpr auto kTick = 100ms;
constexpr auto kRunningPeriod = 2s;
constexpr auto kCountdown = 5s, kExamLength = 30s, kTimeUp = 2s;
// The phases a person ends last between these.
struct Span {
    milliseconds shortest, longest;
};
constexpr Span kWaiting{2s, 8s}, kReady{1s, 4s}, kResults{3s, 10s}, kHeld{10s, 20s};
// A PC killed is killed this far into an exam, its state file saying it has two thirds of the time left.
constexpr auto kKilledAfter = kExamLength / 3;
constexpr int kPcsPerKilled = 10, kPcsPerHeld = 20, kSlowestTypist = 20, kFastestTypist = 60;  // words a minute
// A closing hall waits for the exams under way and the held files; beyond this it has stopped for a fault.
constexpr auto kLongestClosing = kCountdown + kExamLength + kTimeUp + kHeld.longest + 30s;
// Between two prefilled exams of one PC.
constexpr auto kPrefillStep = 20s;

// Windows-1254, in capitals as the entry dialog makes them.
const char* const kFirstNames[] = {"\xDEULE", "\xDDSMA\xDDL", "G\xDCL", "O\xD0UZ", "\xD6MER", "ILGAZ", "NA\xDDLE"};
const char* const kSurnames[] = {"YILMAZ", "\xC7INAR", "\xD6ZT\xDCRK", "KAYA", "G\xDCNG\xD6R", "\xDE\xDDM\xDE\xDDR"};

// An exam as it goes when nobody stops it, and the next candidate.
Phase NextPhase(Phase phase) {
    switch (phase) {
    case Phase::Waiting:
        return Phase::Ready;
    case Phase::Ready:
        return Phase::Countdown;
    case Phase::Countdown:
        return Phase::Running;
    case Phase::Running:
        return Phase::TimeUp;
    case Phase::TimeUp:
        return Phase::Results;
    default:
        return Phase::Waiting;
    }
}

long long WallMs() { return std::chrono::duration_cast<milliseconds>(WallClock::now().time_since_epoch()).count(); }

struct SimulatedPc {
    SimulatedPc(const std::wstring& hallFolder, int number, std::string computerName)
        : name(std::move(computerName)), index(number), writer(hallFolder, platform::WidenUtf8(name + ".txt")) {}

    std::string name;  // PC007
    int index;
    hall::StateWriter writer;
    Phase phase = Phase::Waiting;
    Clock::time_point phaseEnds{}, lastWritten{}, runningSince{};
    WallClock::time_point clockStarted{};
    int wordsPerMinute = 0, examsTaken = 0;
    result::ExamRecord exam;
    std::vector<result::ExamRecord> unwritten;  // finished exams whose line waits for the day file
    std::optional<Clock::time_point> killAt, holdAt;
    bool killed = false;
    std::string problem;  // the writer's last failure, reported once
    platform::UniqueFile held;
    Clock::time_point holdEnds{};
    long long heldFromMs = 0;
    std::wstring heldPath;
};

class Hall {
public:
    Hall(std::wstring folder, int pcs, unsigned seed, Clock::duration length);
    void Prefill(int lines);
    void Run();
    void WriteExpected() const;
    void PrintSummary() const;

private:
    Clock::duration Between(Span span);
    bool Chance(int oneIn) { return std::uniform_int_distribution<int>(1, oneIn)(random_) == 1; }
    void Step(SimulatedPc& pc, Clock::time_point now, bool closing);
    void Enter(SimulatedPc& pc, Phase phase, Clock::time_point now);
    void Tell(SimulatedPc& pc, Clock::time_point now);
    void NewCandidate(SimulatedPc& pc);
    void Finish(SimulatedPc& pc);
    void WriteLines(SimulatedPc& pc);
    void HoldOrLetGo(SimulatedPc& pc, Clock::time_point now, bool closing);
    void ReportHoldUps(Clock::time_point stepStarted);
    bool Settled(const SimulatedPc& pc) const;
    std::wstring DayFile(const result::ExamRecord& record) const;

    std::wstring folder_;
    std::mt19937 random_;
    Clock::time_point start_, closes_;
    std::deque<SimulatedPc> pcs_;
    int candidates_ = 0, prefilled_ = 0;
    std::string expectedLines_, expectedHeld_;
    int lines_ = 0, held_ = 0;
};

Hall::Hall(std::wstring folder, int pcs, unsigned seed, Clock::duration length)
    : folder_(std::move(folder)), random_(seed), start_(Clock::now()), closes_(start_ + length) {
    const std::wstring hallFolder = hall::HallFolderIn(folder_);
    const auto lengthMs = std::chrono::ceil<milliseconds>(length);
    for (int i = 1; i <= pcs; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "PC%03d", i);
        SimulatedPc& pc = pcs_.emplace_back(hallFolder, i, name);
        pc.exam.computerName = name;
        pc.exam.computer = "PC1 - (" + pc.exam.computerName + ")";
        if (Chance(kPcsPerKilled)) pc.killAt = start_ + Between({0ms, lengthMs});
        if (Chance(kPcsPerHeld)) pc.holdAt = start_;
    }
}

Clock::duration Hall::Between(Span span) {
    return milliseconds(std::uniform_int_distribution<long long>(span.shortest.count(), span.longest.count())(random_));
}

std::wstring Hall::DayFile(const result::ExamRecord& record) const {
    return platform::InFolder(folder_, result::RecordsFileName(record.clockStarted, record.computerName));
}

void Hall::NewCandidate(SimulatedPc& pc) {
    ++candidates_;
    pc.exam.candidateNumber = std::to_string(10000 + candidates_);
    pc.exam.firstName = kFirstNames[random_() % std::size(kFirstNames)];
    pc.exam.surname = kSurnames[random_() % std::size(kSurnames)];
    pc.wordsPerMinute = std::uniform_int_distribution<int>(kSlowestTypist, kFastestTypist)(random_);
}

// The exam's record as PC1 keeps it, its id telling the PC and its count of exams apart.
void Hall::Finish(SimulatedPc& pc) {
    const WallClock::time_point ended = pc.clockStarted + kExamLength;
    const result::LocalTime started = result::LocalTimeOf(pc.clockStarted);
    pc.exam.clockStarted = started;
    pc.exam.clockEnded = result::LocalTimeOf(ended);
    pc.exam.typed = static_cast<int>(pc.wordsPerMinute * kExamLength / 1min);
    pc.exam.wrong = std::uniform_int_distribution<int>(0, std::min(5, pc.exam.typed))(random_);
    pc.exam.correct = pc.exam.typed - pc.exam.wrong;
    pc.exam.examId = journal::NewExamId(started.year, started.month, started.day, started.hour, started.minute,
                                        started.second, static_cast<std::uint32_t>(pc.index) << 20 | ++pc.examsTaken);
    pc.unwritten.push_back(pc.exam);
}

void Hall::WriteLines(SimulatedPc& pc) {
    std::erase_if(pc.unwritten, [&](const result::ExamRecord& record) {
        if (result::AddRecordsFileLine(DayFile(record), record, result::RecordFileName(record))) return false;
        expectedLines_ += "line\t" + pc.name + "\t" + record.examId + "\n";
        ++lines_;
        return true;
    });
}

// Spread over the PCs, each PC's exams a step apart and ending a step before now.
void Hall::Prefill(int lines) {
    const int pcs = static_cast<int>(pcs_.size());
    for (int i = 0; i < lines; ++i) {
        SimulatedPc& pc = pcs_[static_cast<std::size_t>(i % pcs)];
        NewCandidate(pc);
        pc.clockStarted = WallClock::now() - kExamLength - (lines / pcs - i / pcs + 1) * kPrefillStep;
        Finish(pc);
        WriteLines(pc);
    }
    prefilled_ = lines_;
}

void Hall::Tell(SimulatedPc& pc, Clock::time_point now) {
    const bool candidate = pc.phase != Phase::Waiting;
    const auto ran = pc.phase == Phase::Running ? now - pc.runningSince : 0ms;
    const auto left = pc.phase == Phase::Running ? kExamLength - ran : pc.phase < Phase::Running ? kExamLength : 0ms;
    const auto words =
        pc.phase >= Phase::TimeUp ? pc.wordsPerMinute * kExamLength / 1min : pc.wordsPerMinute * ran / 1min;
    pc.writer.Hand({
        .label = pc.exam.computer,
        .computer = pc.name,
        .version = std::string(hall::ProgramVersion()),
        .phase = pc.phase,
        .candidateNumber = candidate ? pc.exam.candidateNumber : "",
        .firstName = candidate ? text::Cp1254ToUtf8(pc.exam.firstName) : "",
        .surname = candidate ? text::Cp1254ToUtf8(pc.exam.surname) : "",
        .msLeft = std::chrono::duration_cast<milliseconds>(left).count(),
        .wordsTyped = candidate ? static_cast<std::int64_t>(words) : 0,
        .written = std::chrono::floor<milliseconds>(WallClock::now()),
        .problems = {},
    });
    pc.lastWritten = now;
}

void Hall::Enter(SimulatedPc& pc, Phase phase, Clock::time_point now) {
    pc.phase = phase;
    switch (phase) {
    case Phase::Waiting:
        pc.phaseEnds = now + Between(kWaiting);
        break;
    case Phase::Ready:
        NewCandidate(pc);
        pc.phaseEnds = now + Between(kReady);
        break;
    case Phase::Countdown:
        pc.phaseEnds = now + kCountdown;
        break;
    case Phase::Running:
        pc.runningSince = now;
        pc.clockStarted = WallClock::now();
        pc.phaseEnds = now + kExamLength;
        break;
    case Phase::TimeUp:
        pc.phaseEnds = now + kTimeUp;
        break;
    default:
        Finish(pc);
        pc.phaseEnds = now + Between(kResults);
        break;
    }
    Tell(pc, now);
}

// Held as a program holds a file it keeps to itself: opened with no sharing, so that no other program opens it
// meanwhile. (Excel itself lets others read the file it has open; and under Wine a byte-range lock keeps out other
// locks but no reading or writing.)
void Hall::HoldOrLetGo(SimulatedPc& pc, Clock::time_point now, bool closing) {
    if (pc.held && (now >= pc.holdEnds || closing)) {
        pc.held.Reset();
        expectedHeld_ += "held\t" + platform::NarrowCp1254(pc.heldPath.substr(folder_.size() + 1)) + "\t" +
                         std::to_string(pc.heldFromMs) + "\t" + std::to_string(WallMs()) + "\n";
        ++held_;
    }
    if (!pc.holdAt || now < *pc.holdAt || closing) return;
    result::ExamRecord today = pc.exam;
    today.clockStarted = result::LocalTimeOf(WallClock::now());
    pc.heldPath = DayFile(today);
    platform::UniqueFile file =
        platform::OpenedFile(CreateFileW(platform::LongForm(pc.heldPath).c_str(), GENERIC_READ, 0, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;  // its first line is not written yet, or another program has it open at this instant
    pc.held = std::move(file);
    pc.holdAt.reset();
    pc.holdEnds = now + Between(kHeld);
    pc.heldFromMs = WallMs();
}

// The day's file is held and let go by the supervisor's machine, whatever became of the PC.
void Hall::Step(SimulatedPc& pc, Clock::time_point now, bool closing) {
    HoldOrLetGo(pc, now, closing);
    if (!pc.held) WriteLines(pc);
    if (pc.killed) return;
    if (pc.phase == Phase::Running && pc.killAt && now >= *pc.killAt && now - pc.runningSince >= kKilledAfter) {
        pc.killed = true;
        return;
    }
    if (pc.phase == Phase::Running && now - pc.lastWritten >= kRunningPeriod) Tell(pc, now);
    if (now < pc.phaseEnds || (closing && Settled(pc))) return;
    Enter(pc, NextPhase(pc.phase), now);
}

// What keeps a PC's state file from changing besides a kill: the hall's own steps held up (a loaded machine), or a
// write that failed. Said as it happens, with the wall-clock millisecond, for a console's alarm to be judged by.
void Hall::ReportHoldUps(Clock::time_point stepStarted) {
    const auto step = std::chrono::duration_cast<milliseconds>(Clock::now() - stepStarted);
    if (step > 1s) e2e::Print(L"held up " + std::to_wstring(step.count()) + L" ms at " + std::to_wstring(WallMs()));
    for (SimulatedPc& pc : pcs_) {
        std::string problem = pc.writer.Problem();
        if (problem == pc.problem) continue;
        pc.problem = std::move(problem);
        if (!pc.problem.empty())
            e2e::Print(platform::WidenUtf8(pc.name) + L" not written at " + std::to_wstring(WallMs()) + L": " +
                       platform::WidenCp1254(pc.problem));
    }
}

// No exam under way and nothing left to write: where a closing hall leaves a PC.
bool Hall::Settled(const SimulatedPc& pc) const {
    const bool idle = pc.phase == Phase::Waiting || pc.phase == Phase::Ready || pc.phase == Phase::Results;
    return (pc.killed || idle) && !pc.held && pc.unwritten.empty();
}

void Hall::Run() {
    for (SimulatedPc& pc : pcs_) Enter(pc, Phase::Waiting, Clock::now());
    for (bool first = true;; first = false) {
        const Clock::time_point now = Clock::now();
        const bool closing = now >= closes_;
        for (SimulatedPc& pc : pcs_) Step(pc, now, closing);
        ReportHoldUps(now);
        if (first) e2e::Print(L"the hall runs");
        if (closing && std::ranges::all_of(pcs_, [&](const SimulatedPc& pc) { return Settled(pc); })) break;
        if (now > closes_ + kLongestClosing) throw std::runtime_error("the hall did not settle after closing");
        std::this_thread::sleep_for(kTick);
    }
    for (const SimulatedPc& pc : pcs_)
        if (!pc.writer.WaitWritten(10000)) throw std::runtime_error(pc.name + "'s state was not written");
}

void Hall::WriteExpected() const {
    std::string expected;
    for (const SimulatedPc& pc : pcs_)
        expected +=
            "pc\t" + pc.name + "\t" + std::string(hall::PhaseName(pc.phase)) + (pc.killed ? "\tnot-answering\n" : "\n");
    const std::wstring path = platform::InFolder(folder_, std::wstring_view(L"expected.txt"));
    if (platform::WriteWholeFile(platform::LongForm(path), expected + expectedLines_ + expectedHeld_, CREATE_ALWAYS))
        throw std::runtime_error("cannot write expected.txt");
}

void Hall::PrintSummary() const {
    const auto killed = std::ranges::count_if(pcs_, [](const SimulatedPc& pc) { return pc.killed; });
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - start_).count();
    e2e::Print(std::to_wstring(pcs_.size()) + L" PCs, " + std::to_wstring(lines_) + L" lines (" +
               std::to_wstring(prefilled_) + L" prefilled), " + std::to_wstring(killed) + L" killed, " +
               std::to_wstring(held_) + L" day files held, " + std::to_wstring(seconds) + L" s");
}

int Run(std::span<wchar_t*> args) {
    std::vector<std::wstring> positional;
    int prefill = 0;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (std::wstring_view(args[i]) == L"--prefill" && i + 1 < args.size())
            prefill = _wtoi(args[++i]);
        else
            positional.emplace_back(args[i]);
    }
    if (positional.size() < 3)
        throw std::runtime_error("usage: hall-simulator FOLDER PCS SECONDS [SEED] [--prefill LINES]");
    const int pcs = _wtoi(positional[1].c_str());
    if (pcs < 1 || pcs > 999) throw std::runtime_error("from 1 to 999 PCs");
    const std::wstring folder = platform::FullPath(positional[0]);
    if (platform::CreateFolder(folder)) throw std::runtime_error("cannot make the folder");
    const unsigned seed = positional.size() > 3 ? static_cast<unsigned>(_wtoi(positional[3].c_str())) : 1;
    Hall hall(folder, pcs, seed, std::chrono::seconds(_wtoi(positional[2].c_str())));
    hall.Prefill(prefill);
    hall.Run();
    hall.WriteExpected();
    hall.PrintSummary();
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return e2e::RunCommandLine("hall-simulator", argc, argv, Run); }
