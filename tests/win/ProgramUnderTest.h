// Starts PC1.exe from the test's own folder as a separate process and finds its windows.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

namespace testing_pc1 {

class ProgramUnderTest {
public:
    ProgramUnderTest();
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    // The first visible top-level window of the process of this window class, or nullptr after the timeout.
    HWND WaitForWindow(const std::wstring& className, std::chrono::milliseconds timeout) const;
    // The exit code, or STILL_ACTIVE when the process has not ended within the timeout.
    DWORD WaitForExit(std::chrono::milliseconds timeout) const;

private:
    PROCESS_INFORMATION process_{};
};

}  // namespace testing_pc1
