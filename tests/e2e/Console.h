// What the helpers that the end-to-end scripts run share: UTF-8 lines on standard output, and errors that end the
// helper with a message and exit code 2.
#pragma once

#include <span>
#include <string_view>

namespace e2e {

void Print(std::wstring_view line);
// Runs the helper's command line; `run` returns the exit code or throws.
int RunCommandLine(const char* helper, int argc, wchar_t** argv, int (*run)(std::span<wchar_t*> args));

}  // namespace e2e
