#include "tests/e2e/Console.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <exception>
#include <string>

namespace e2e {

void Print(std::wstring_view line) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), utf8.data(), size, nullptr, nullptr);
    utf8 += '\n';
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

int RunCommandLine(const char* helper, int argc, wchar_t** argv, int (*run)(std::span<wchar_t*> args)) {
    _setmode(_fileno(stdout), _O_BINARY);
    try {
        return run(std::span(argv, static_cast<std::size_t>(argc)));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", helper, error.what());
        return 2;
    }
}

}  // namespace e2e
