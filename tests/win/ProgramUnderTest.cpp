#include "tests/win/ProgramUnderTest.h"

#include <stdexcept>
#include <thread>

namespace testing_pc1 {

namespace {

std::wstring ProgramPath() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + L"PC1.exe";
}

struct WindowSearch {
    DWORD processId;
    const std::wstring* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    wchar_t className[256];
    GetClassNameW(hwnd, className, 256);
    if (processId == search->processId && IsWindowVisible(hwnd) && *search->className == className) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

ProgramUnderTest::ProgramUnderTest() {
    std::wstring commandLine = L"\"" + ProgramPath() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_))
        throw std::runtime_error("cannot start PC1.exe");
}

ProgramUnderTest::~ProgramUnderTest() {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND ProgramUnderTest::WaitForWindow(const std::wstring& className, std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        WindowSearch search{process_.dwProcessId, &className, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < deadline);
    return nullptr;
}

DWORD ProgramUnderTest::WaitForExit(std::chrono::milliseconds timeout) const {
    WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count()));
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &exitCode);
    return exitCode;
}

}  // namespace testing_pc1
