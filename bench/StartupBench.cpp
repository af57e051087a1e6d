// How long PC1.exe takes from CreateProcess to its entry dialog on screen, and the memory it holds once settled,
// beside minimal_window.exe, a minimal Win32 program built the same way. Both are started from this folder, once to
// warm up and then thirty times each; prints the medians, the ratios and their targets. Then how long PC1 takes to
// show the supervisor an unfinished exam that its journal holds.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/Stopwatch.h"
#include "journal/JournalFiles.h"
#include "journal/JournalWriter.h"
#include "platform/ComputerName.h"
#include "platform/Cp1254.h"
#include "platform/KeyDerivation.h"
#include "platform/SystemReason.h"
#include "tests/win/ProgramUnderTest.h"
#include "tests/win/TestSequence.h"

namespace {

using bench::Milliseconds;
using bench::PerformanceCount;

constexpr int kRuns = 30;
// PC1 makes its exam window's controls once the entry dialog is up; its memory is read after that work.
constexpr DWORD kSettleMs = 300;
constexpr double kStartupRatioTarget = 1.5;
constexpr double kMemoryRatioTarget = 2.5;
constexpr DWORD kTimeoutMs = 60000;

struct Program {
    const wchar_t* exe;
    const wchar_t* windowClass;  // of the first window it shows
};

struct Launch {
    double startupMs;
    double privateMb;     // PROCESS_MEMORY_COUNTERS_EX::PrivateUsage, or under Wine the Linux process's RssAnon
    double workingSetMb;  // PROCESS_MEMORY_COUNTERS::WorkingSetSize
};

struct Figures {
    double startupMs, privateMb, workingSetMb;  // medians
};

std::filesystem::path BenchFolder() {
    wchar_t path[MAX_PATH];
    return std::filesystem::path(std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH))).parent_path();
}

double Megabytes(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// Whether the Linux process of this /proc folder has the file mapped.
bool HasMapped(const std::filesystem::path& process, const std::string& unixPath) {
    std::ifstream maps(process / L"maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.ends_with(" " + unixPath)) return true;
    return false;
}

// Wine reports no private bytes for another process: it fills PrivateUsage from the Linux process's swap alone, so
// it reads 0. There the figure is the Linux process's resident anonymous memory (RssAnon), read through Wine's Z:
// drive: the memory the process holds of its own, as private bytes are on Windows. The Linux process is the one
// that has this very executable mapped.
double LinuxPrivateMegabytes(const std::filesystem::path& exe) {
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    const auto unixFileName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (!unixFileName) throw std::runtime_error("no private bytes reported, and not under Wine");
    char* unixPathBuffer = unixFileName(exe.c_str());
    const std::string unixPath = unixPathBuffer;
    HeapFree(GetProcessHeap(), 0, unixPathBuffer);

    // The program run before may still be leaving Linux a moment after Wine has signalled its end.
    const LARGE_INTEGER start = PerformanceCount();
    for (;;) {
        std::vector<double> found;
        for (const auto& entry : std::filesystem::directory_iterator(L"Z:\\proc")) {
            if (!HasMapped(entry.path(), unixPath)) continue;
            std::ifstream status(entry.path() / L"status");
            std::string line;
            while (std::getline(status, line))
                if (line.starts_with("RssAnon:")) found.push_back(std::stod(line.substr(8)) / 1024.0);
        }
        if (found.size() == 1) return found.front();
        if (found.empty() || Milliseconds(start, PerformanceCount()) > kTimeoutMs)
            throw std::runtime_error("cannot tell which Linux process runs " + exe.string());
        Sleep(10);
    }
}

// The child is ended whatever happens, and before the next one starts.
class ChildProcess {
public:
    explicit ChildProcess(const std::filesystem::path& exe) {
        std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, exe.parent_path().c_str(),
                            &startup, &info_))
            throw std::runtime_error("cannot start " + exe.string() + ": " + platform::SystemReason(GetLastError()));
    }
    ~ChildProcess() {
        TerminateProcess(info_.hProcess, 0);
        WaitForSingleObject(info_.hProcess, kTimeoutMs);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    HANDLE Handle() const { return info_.hProcess; }
    DWORD Id() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_{};
};

// Whether the window or one of its visible controls still waits to be painted.
bool WaitsForPaint(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return true;
    bool waits = false;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM result) {
            if (!IsWindowVisible(child) || !GetUpdateRect(child, nullptr, FALSE)) return TRUE;
            *reinterpret_cast<bool*>(result) = true;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&waits));
    return waits;
}

// The program is on screen once its first window shows and every visible window of it, such as PC1's backdrop
// behind its dialog, has been painted.
bool IsOnScreen(DWORD processId, const Program& program) {
    const auto waitsForPaint = [](HWND window) { return IsWindowVisible(window) && WaitsForPaint(window); };
    return testing_pc1::FindProcessWindow(processId, program.windowClass) &&
           !testing_pc1::FindProcessWindowWhere(processId, waitsForPaint);
}

Launch LaunchOnce(const Program& program) {
    const std::filesystem::path exe = BenchFolder() / program.exe;
    const LARGE_INTEGER start = PerformanceCount();
    const ChildProcess child(exe);
    while (!IsOnScreen(child.Id(), program)) {
        DWORD exitCode = STILL_ACTIVE;
        GetExitCodeProcess(child.Handle(), &exitCode);
        if (exitCode != STILL_ACTIVE)
            throw std::runtime_error(exe.string() + " ended with exit code " + std::to_string(exitCode) +
                                     " before its window showed");
        if (Milliseconds(start, PerformanceCount()) > kTimeoutMs)
            throw std::runtime_error("no window from " + exe.string() + " within a minute");
        Sleep(1);
    }
    const double startupMs = Milliseconds(start, PerformanceCount());
    WaitForInputIdle(child.Handle(), kTimeoutMs);
    Sleep(kSettleMs);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(child.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        throw std::runtime_error("cannot read the program's memory");
    const double privateMb = memory.PrivateUsage ? Megabytes(memory.PrivateUsage) : LinuxPrivateMegabytes(exe);
    return {startupMs, privateMb, Megabytes(memory.WorkingSetSize)};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

class Samples {
public:
    void Add(const Launch& launch) {
        startupMs_.push_back(launch.startupMs);
        privateMb_.push_back(launch.privateMb);
        workingSetMb_.push_back(launch.workingSetMb);
    }
    Figures Medians() const { return {Median(startupMs_), Median(privateMb_), Median(workingSetMb_)}; }

private:
    std::vector<double> startupMs_, privateMb_, workingSetMb_;
};

const char* Verdict(double ratio, double target) { return ratio <= target ? "  (target met)" : "  (target missed)"; }

// A file beside PC1 while the object lives.
class FileBesidePc1 {
public:
    FileBesidePc1(const wchar_t* name, std::string_view bytes) : path_(BenchFolder() / name) {
        std::ofstream(path_, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    ~FileBesidePc1() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    FileBesidePc1(const FileBesidePc1&) = delete;
    FileBesidePc1& operator=(const FileBesidePc1&) = delete;

private:
    std::filesystem::path path_;
};

constexpr std::string_view kSample = "{\\rtf1 Metin.\\par}";

// An exam's journal as a program that ended mid-exam leaves it, for PC1 to find at its start: this computer's, against
// the sample beside PC1, as PC1 takes up no other.
class UnfinishedJournal {
public:
    UnfinishedJournal() {
        DeleteFileW(path_.c_str());  // one that a run cut short left
        const journal::Opening opening{.examId = "20261208-090000-bench",
                                       .candidateNumber = "1",
                                       .firstName = "Ada",
                                       .surname = "Bey",
                                       .computer = "PC1 - (" + platform::NarrowCp1254(platform::ComputerName()) + ")",
                                       .computerName = platform::NarrowCp1254(platform::ComputerName()),
                                       .sampleIdentity = platform::Sha256Hex(kSample),
                                       .sampleText = "Metin.",
                                       .wallMs = 1'796'720'400'000};
        journal::JournalWriter writer(path_, opening);
        writer.Write(journal::ClockStarted{opening.wallMs + 5000});
        writer.Write(journal::Edit{1200, 0, 0, "Metin"});
    }
    ~UnfinishedJournal() { DeleteFileW(path_.c_str()); }
    UnfinishedJournal(const UnfinishedJournal&) = delete;
    UnfinishedJournal& operator=(const UnfinishedJournal&) = delete;

private:
    std::wstring path_ = journal::JournalFolder() + L"\\20261208-090000-bench.pc1j";
};

}  // namespace

int main() {
    try {
        // PC1 starts only with a supervisor's sequence set in its PC1.ini.
        const FileBesidePc1 settings(L"PC1.ini", testing_pc1::TestSequenceSetting() + "\r\n");
        testing_pc1::ForgetUnfinishedExams();  // PC1 is to start at its entry dialog
        const Program minimalProgram{L"minimal_window.exe", L"MinimalWindow"};
        const Program pc1Program{L"PC1.exe", L"TGirisForm"};
        LaunchOnce(minimalProgram);
        LaunchOnce(pc1Program);
        // The two take turns, so that whatever else the machine does weighs on both alike.
        Samples minimalSamples, pc1Samples;
        for (int run = 0; run < kRuns; ++run) {
            minimalSamples.Add(LaunchOnce(minimalProgram));
            pc1Samples.Add(LaunchOnce(pc1Program));
        }
        const Figures minimal = minimalSamples.Medians();
        const Figures pc1 = pc1Samples.Medians();
        std::printf(
            "start-up, CreateProcess to the first window shown and every window painted (median of %d "
            "runs after a warm-up)\n",
            kRuns);
        std::printf("  minimal_window.exe %.1f ms, PC1.exe (entry dialog) %.1f ms\n", minimal.startupMs, pc1.startupMs);
        const double startupRatio = pc1.startupMs / minimal.startupMs;
        std::printf("start-up ratio: %.2f (target: at most %.1f)%s\n", startupRatio, kStartupRatioTarget,
                    Verdict(startupRatio, kStartupRatioTarget));
        std::printf("memory once the program has settled, waiting for input (median)\n");
        std::printf("  private bytes; under Wine, which reports none, the Linux process's resident anonymous memory\n");
        std::printf("  minimal_window.exe private %.1f MB, working set %.1f MB\n", minimal.privateMb,
                    minimal.workingSetMb);
        std::printf("  PC1.exe            private %.1f MB, working set %.1f MB\n", pc1.privateMb, pc1.workingSetMb);
        const double memoryRatio = pc1.privateMb / minimal.privateMb;
        std::printf("private memory ratio: %.2f (target: at most %.1f)%s\n", memoryRatio, kMemoryRatioTarget,
                    Verdict(memoryRatio, kMemoryRatioTarget));

        const FileBesidePc1 sample(L"Metin.rtf", kSample);
        const UnfinishedJournal unfinished;
        const Program resumingProgram{L"PC1.exe", L"TDevamForm"};
        LaunchOnce(resumingProgram);
        Samples resumingSamples;
        for (int run = 0; run < kRuns; ++run) resumingSamples.Add(LaunchOnce(resumingProgram));
        std::printf("  PC1.exe with an unfinished exam, to the supervisor's screen: %.1f ms\n",
                    resumingSamples.Medians().startupMs);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "startup_bench: %s\n", error.what());
        return 1;
    }
}
