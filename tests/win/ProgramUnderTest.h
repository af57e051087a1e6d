// Starts a copy of PC1.exe as a separate process and finds its windows; the window helpers serve tests that run
// the program's windows in their own process too.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Window.h"

namespace testing_pc1 {

// A top-level window of the process of this window class, or nullptr.
HWND FindProcessWindow(DWORD processId, std::wstring_view className, bool visibleOnly = true);
// The first top-level window of the process that `matches` accepts, or nullptr.
HWND FindProcessWindowWhere(DWORD processId, const std::function<bool(HWND)>& matches);
// The innermost visible child window at a point of a window's client area.
HWND ControlAt(HWND window, POINT clientPoint);
using platform::WindowText;
std::wstring MessageBoxText(HWND box);
// An exam that an earlier test left unfinished on this computer would greet the next PC1 started instead of its entry
// dialog: its journal goes.
void ForgetUnfinishedExams();

// Where the entry dialog's controls lie in its client area.
inline constexpr POINT kAdaynoAt{220, 20}, kAdiAt{220, 52}, kSoyadiAt{220, 84}, kTamamAt{220, 124}, kKapatAt{332, 124};

// Delivers messages to a running PC1's windows from PC1's own thread, where the program's own code would send
// them: PC1 refuses what other programs send or post to its windows (tests/win/ProgramAgent.h). Messages to
// windows that are not the program's own, such as its message boxes, can still be posted from outside.
class ProgramAgent {
public:
    ProgramAgent() = default;
    ~ProgramAgent();
    ProgramAgent(const ProgramAgent&) = delete;
    ProgramAgent& operator=(const ProgramAgent&) = delete;

    // Returns once PC1 has taken the message, which may then start a modal loop or end the program.
    void Send(HWND target, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void SetText(HWND target, std::wstring_view text);

private:
    void Deliver(HWND target, UINT message, WPARAM wParam, LPARAM lParam, std::wstring_view text, bool hasText);

    HMODULE library_ = nullptr;
    HHOOK hook_ = nullptr;
};

class ProgramUnderTest {
public:
    // Runs a copy of the PC1.exe beside the test, named `exeName`, from a fresh folder of its own, which holds
    // no sample text, and a settings file PC1.ini of these bytes (when none are given, the tests' supervisor
    // sequence alone).
    explicit ProgramUnderTest(const std::wstring& exeName = L"PC1.exe", std::string_view settingsFile = {});
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    HWND TopLevelWindow(std::wstring_view className, bool visibleOnly = true) const;
    // The first visible top-level window of the process of this window class, or nullptr after the timeout.
    HWND WaitForWindow(std::wstring_view className, std::chrono::milliseconds timeout) const;
    // The exit code, or STILL_ACTIVE when the process has not ended within the timeout.
    DWORD WaitForExit(std::chrono::milliseconds timeout) const;

    // Fills in the entry dialog once it shows and confirms it; returns the exam window shown afterwards.
    HWND CompleteEntry(const std::wstring& adayNo, const std::wstring& adi, const std::wstring& soyadi) const;
    ProgramAgent& Agent() const { return agent_; }

private:
    std::filesystem::path folder_;
    PROCESS_INFORMATION process_{};
    mutable ProgramAgent agent_;  // unhooked once the process has ended
};

// Fills in an entry dialog of PC1 through the agent and confirms it with Enter on "Tamam".
void FillInEntry(ProgramAgent& agent, HWND dialog, const std::wstring& adayNo, const std::wstring& adi,
                 const std::wstring& soyadi);

}  // namespace testing_pc1
