#include "platform/Log.h"

#include <windows.h>

#include <atomic>
#include <optional>

#include "platform/ComputerName.h"
#include "platform/Cp1254.h"
#include "platform/Files.h"
#include "platform/ProgramVersion.h"
#include "platform/Worker.h"
#include "platform/pure/LogLine.h"
#include "text/Cp1254Unicode.h"

namespace platform {

namespace {

constexpr long long kTicksPerMinute = 600'000'000;  // a FILETIME's 100-nanosecond steps

LogTime LocalNow() {
    FILETIME utc{}, local{};
    GetSystemTimeAsFileTime(&utc);
    FileTimeToLocalFileTime(&utc, &local);
    SYSTEMTIME time{};
    FileTimeToSystemTime(&local, &time);
    const auto ticks = [](const FILETIME& t) {
        return static_cast<long long>((ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime);
    };
    return {.year = time.wYear,
            .month = time.wMonth,
            .day = time.wDay,
            .hour = time.wHour,
            .minute = time.wMinute,
            .second = time.wSecond,
            .millisecond = time.wMilliseconds,
            .utcOffsetMinutes = static_cast<int>((ticks(local) - ticks(utc)) / kTicksPerMinute)};
}

// Appending only: every write goes to the file's end, whoever else appends. Its size is read to turn it over.
UniqueFile OpenForAppending(const std::wstring& path) {
    return OpenedFile(CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Whatever fails here is dropped: the log is never a reason for the program to stop.
void Append(const std::wstring& folder, const std::wstring& path, const std::string& bytes) {
    UniqueFile file = OpenForAppending(path);
    if (!file && GetLastError() == ERROR_PATH_NOT_FOUND && CreateFolder(folder) == ERROR_SUCCESS)
        file = OpenForAppending(path);
    LARGE_INTEGER size{};
    if (file && GetFileSizeEx(file.get(), &size) &&
        LogTurnsOver(static_cast<std::uint64_t>(size.QuadPart), bytes.size())) {
        file.Reset();
        MoveFileExW(path.c_str(), (path + L".1").c_str(), MOVEFILE_REPLACE_EXISTING);
        file = OpenForAppending(path);
    }
    if (file) WriteAndFlush(file.get(), bytes);
}

// Lines are made on the caller's thread, at the event's time, and written together on the log's.
class ProgramLog {
public:
    ProgramLog(std::string_view program, std::wstring folder)
        : program_(std::string(program) + "[" + std::to_string(GetCurrentProcessId()) + "]"),
          // The thread's end does not wait: EndLog has waited for the lines, or the program ends without them.
          writer_(
              [folder, path = InFolder(folder, std::string(program) + ".log")](std::vector<std::string>& lines) {
                  std::string bytes;
                  for (const std::string& line : lines) bytes += line;
                  Append(folder, path, bytes);
              },
              {.exitWaitMs = 0}) {}

    void Write(std::string_view event, std::string_view utf8Details) {
        if (!ended_) writer_.Hand(LogLine(LocalNow(), program_, event, utf8Details));
    }
    void End(int exitCode) {
        Write("end", "exit code " + std::to_string(exitCode));
        ended_ = true;
        writer_.WaitDone(kLogEndWaitMs);
    }

private:
    const std::string program_;        // "PC1[4242]": two instances of a program write one file
    std::atomic<bool> ended_ = false;  // read on every thread that logs
    Worker<std::string> writer_;
};

std::optional<ProgramLog> programLog;

// The log is never a reason for the program to stop: a line that cannot even be made (no memory) is lost.
template <class Act>
void Quietly(Act act) noexcept {
    if (!programLog) return;
    try {
        act(*programLog);
    } catch (...) {}
}

}  // namespace

std::wstring LogFolder() { return ProgramDataFolder() + L"\\PC1"; }

void StartLog(std::string_view program, std::wstring folder) {
    programLog.emplace(program, std::move(folder));
    Log("start", L"version " + WidenUtf8(ProgramVersion()) + L", computer " + ComputerName());
}

int RunLogged(std::string_view program, const std::function<int()>& run) {
    StartLog(program);
    const int exitCode = run();
    EndLog(exitCode);
    return exitCode;
}

void Log(std::string_view event, std::string_view details) noexcept {
    Quietly([&](ProgramLog& log) { log.Write(event, text::Cp1254ToUtf8(details)); });
}

void Log(std::string_view event, std::wstring_view details) noexcept {
    Quietly([&](ProgramLog& log) { log.Write(event, NarrowUtf8(details)); });
}

void LogFaultChange(std::string_view subject, std::string_view before, std::string_view now,
                    std::wstring_view file) noexcept {
    if (now == before) return;
    Quietly([&](ProgramLog& log) {
        if (now.empty())
            log.Write(std::string(subject) + "-recovered", NarrowUtf8(file));
        else
            log.Write(std::string(subject) + "-fault", text::Cp1254ToUtf8(now));
    });
}

void EndLog(int exitCode) noexcept {
    Quietly([&](ProgramLog& log) { log.End(exitCode); });
}

}  // namespace platform
