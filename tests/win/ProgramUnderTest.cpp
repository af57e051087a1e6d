#include "tests/win/ProgramUnderTest.h"

#include <fstream>
#include <stdexcept>
#include <thread>

#include "journal/JournalFiles.h"
#include "tests/win/ProgramAgent.h"
#include "tests/win/TestSequence.h"

namespace testing_pc1 {

using namespace std::chrono_literals;

namespace {

std::filesystem::path TestFolder() {
    wchar_t path[MAX_PATH];
    return std::filesystem::path(std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH))).parent_path();
}

}  // namespace

HWND FindProcessWindowWhere(DWORD processId, const std::function<bool(HWND)>& matches) {
    struct Search {
        DWORD processId;
        const std::function<bool(HWND)>& matches;
        HWND found;
    } search{processId, matches, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM context) {
            auto& state = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner != state.processId || !state.matches(hwnd)) return TRUE;
            state.found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindProcessWindow(DWORD processId, std::wstring_view className, bool visibleOnly) {
    return FindProcessWindowWhere(processId, [&](HWND hwnd) {
        wchar_t name[256];
        GetClassNameW(hwnd, name, 256);
        return (IsWindowVisible(hwnd) || !visibleOnly) && className == name;
    });
}

HWND ControlAt(HWND window, POINT clientPoint) {
    for (;;) {
        const HWND child = ChildWindowFromPointEx(window, clientPoint, CWP_SKIPINVISIBLE);
        if (!child || child == window) return window;
        MapWindowPoints(window, child, &clientPoint, 1);
        window = child;
    }
}

// A message box shows its message in a static control with this identifier, on Windows and under Wine alike.
std::wstring MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

void ForgetUnfinishedExams() {
    std::error_code ignored;
    std::filesystem::remove_all(journal::JournalFolder(), ignored);
}

ProgramUnderTest::ProgramUnderTest(const std::wstring& exeName, std::string_view settingsFile) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::filesystem::path(temp) /
              ("pc1-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64()));
    std::filesystem::create_directories(folder_);
    std::filesystem::copy_file(TestFolder() / L"PC1.exe", folder_ / exeName);
    const std::string ini = settingsFile.empty() ? TestSequenceSetting() + "\r\n" : std::string(settingsFile);
    std::ofstream(folder_ / L"PC1.ini", std::ios::binary) << ini;
    ForgetUnfinishedExams();

    std::wstring commandLine = L"\"" + (folder_ / exeName).wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup,
                        &process_))
        throw std::runtime_error("cannot start PC1.exe");
}

ProgramUnderTest::~ProgramUnderTest() {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

HWND ProgramUnderTest::TopLevelWindow(std::wstring_view className, bool visibleOnly) const {
    return FindProcessWindow(process_.dwProcessId, className, visibleOnly);
}

HWND ProgramUnderTest::WaitForWindow(std::wstring_view className, std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        if (const HWND found = TopLevelWindow(className)) return found;
        std::this_thread::sleep_for(50ms);
    } while (std::chrono::steady_clock::now() < deadline);
    return nullptr;
}

DWORD ProgramUnderTest::WaitForExit(std::chrono::milliseconds timeout) const {
    WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count()));
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &exitCode);
    return exitCode;
}

// The first start in a fresh Wine prefix takes about 11 s, hence the generous wait for the dialog.
HWND ProgramUnderTest::CompleteEntry(const std::wstring& adayNo, const std::wstring& adi,
                                     const std::wstring& soyadi) const {
    const HWND dialog = WaitForWindow(L"TGirisForm", 60s);
    if (!dialog) return nullptr;
    FillInEntry(agent_, dialog, adayNo, adi, soyadi);
    return WaitForWindow(L"TSinavForm", 10s);
}

void FillInEntry(ProgramAgent& agent, HWND dialog, const std::wstring& adayNo, const std::wstring& adi,
                 const std::wstring& soyadi) {
    agent.SetText(ControlAt(dialog, kAdaynoAt), adayNo);
    agent.SetText(ControlAt(dialog, kAdiAt), adi);
    agent.SetText(ControlAt(dialog, kSoyadiAt), soyadi);
    agent.Send(ControlAt(dialog, kTamamAt), WM_KEYDOWN, VK_RETURN, 0);
}

ProgramAgent::~ProgramAgent() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (library_) FreeLibrary(library_);
}

void ProgramAgent::Send(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    Deliver(target, message, wParam, lParam, {}, false);
}

void ProgramAgent::SetText(HWND target, std::wstring_view text) { Deliver(target, WM_SETTEXT, 0, 0, text, true); }

// The hook stays for the program's life: the agent may still be sending when the test goes on. A program that has
// just shown its first window in a fresh wine server may be busy for seconds more.
void ProgramAgent::Deliver(HWND target, UINT message, WPARAM wParam, LPARAM lParam, std::wstring_view text,
                           bool hasText) {
    DWORD processId = 0;
    const DWORD thread = GetWindowThreadProcessId(target, &processId);
    if (!hook_) {
        library_ = LoadLibraryW((TestFolder() / L"program_agent.dll").c_str());
        const auto hook =
            library_ ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library_, "AgentHook")))
                     : nullptr;
        hook_ = hook ? SetWindowsHookExW(WH_GETMESSAGE, hook, library_, thread) : nullptr;
        if (!hook_) throw std::runtime_error("cannot place the agent in PC1");
        PostThreadMessageW(thread, WM_NULL, 0, 0);
    }
    HWND agent = nullptr;
    for (const auto giveUp = std::chrono::steady_clock::now() + 60s;
         !(agent = FindProcessWindow(processId, kAgentWindowClass, false)); std::this_thread::sleep_for(10ms))
        if (std::chrono::steady_clock::now() > giveUp) throw std::runtime_error("no agent in PC1");
    AgentCommand command{target, message, wParam, lParam, hasText, {}};
    text.substr(0, std::size(command.text) - 1).copy(command.text, std::size(command.text) - 1);
    COPYDATASTRUCT data{0, sizeof command, &command};
    if (!SendMessageTimeoutW(agent, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 60000, nullptr))
        throw std::runtime_error("PC1 took no command");
}

}  // namespace testing_pc1
