// The program's diagnostic log, for the supervisor to read afterwards: %ProgramData%\PC1\<program>.log (PC1.log,
// PC1Ayar.log, PC1Salon.log), one line an event (platform/pure/LogLine.h). No program reads it back: what it says
// changes nothing, and a log that cannot be written changes nothing either.
//
// Lines go to the disk on a thread of the log's own, flushed, so that an event costs its caller no disk; every
// instance of every program appends to its file, which each opens only for its write, sharing it with all. At
// kLogLimitBytes the file becomes <program>.log.1, replacing the one before.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

// %ProgramData%\PC1
std::wstring LogFolder();

// From now on the program's events go to `<program>.log` in `folder`, made when missing; the first is its start,
// with the version and the computer's name. Before it, nothing is logged.
void StartLog(std::string_view program, std::wstring folder = LogFolder());

// A program's whole run between its start and its end in the log: its entry is `return RunLogged("PC1", Run);`. A
// program that ends by platform::EndProgram ends its log there.
int RunLogged(std::string_view program, const std::function<int()>& run);

// An event (a word or two joined by hyphens: "print-fault") and its details: Windows-1254, as the program's messages
// are, or UTF-16 (paths, names from the settings). Returns at once and never throws: a line that cannot be written is
// lost without a word.
void Log(std::string_view event, std::string_view details) noexcept;
void Log(std::string_view event, std::wstring_view details) noexcept;

// A fault that lasts while the program tries again and again (a file that cannot be written) is logged when it begins
// or changes, as `<subject>-fault` with its text `now`, and when it ends, as `<subject>-recovered` with the file
// written again: not at every try. `before` and `now` are the fault's texts (Windows-1254; empty: none).
void LogFaultChange(std::string_view subject, std::string_view before, std::string_view now,
                    std::wstring_view file) noexcept;

// The program's end, with its exit code; waits kEndWaitMs at most for every line to reach the disk. Only the first
// end counts.
void EndLog(int exitCode) noexcept;
inline constexpr unsigned long kLogEndWaitMs = 1000;

}  // namespace platform
