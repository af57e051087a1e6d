// The agent library, which a test's hook loads into a running PC1 (tests/win/ProgramAgent.h). The hook turns the
// test's request into a message for a window of the agent's own, which PC1's message loop dispatches like any
// other: the message the test asked for is then sent from PC1's own thread, outside any hook.
#include "tests/win/ProgramAgent.h"

namespace {

using namespace testing_pc1;

constexpr UINT kRun = WM_APP;

HINSTANCE agentModule = nullptr;

LRESULT CALLBACK RunProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kRun) return DefWindowProcW(hwnd, message, wParam, lParam);
    const DWORD thread = GetCurrentThreadId();
    const HANDLE memory = OpenFileMappingW(FILE_MAP_READ, FALSE, AgentMemoryName(thread).c_str());
    if (!memory) return 0;
    const void* view = MapViewOfFile(memory, FILE_MAP_READ, 0, 0, 0);
    CloseHandle(memory);
    if (!view) return 0;
    AgentCommand command = *static_cast<const AgentCommand*>(view);
    UnmapViewOfFile(view);
    if (const HANDLE taken = OpenEventW(EVENT_MODIFY_STATE, FALSE, AgentTakenName(thread).c_str())) {
        SetEvent(taken);
        CloseHandle(taken);
    }
    SendMessageW(command.target, command.message, command.wParam,
                 command.hasText ? reinterpret_cast<LPARAM>(command.text) : command.lParam);
    return 0;
}

HWND Runner() {
    static const HWND runner = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = RunProcedure;
        windowClass.hInstance = agentModule;
        windowClass.lpszClassName = L"PC1TestAgentRunner";
        RegisterClassW(&windowClass);
        return CreateWindowW(windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, agentModule,
                             nullptr);
    }();
    return runner;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) agentModule = module;
    return TRUE;
}

extern "C" __declspec(dllexport) LRESULT CALLBACK AgentHook(int code, WPARAM removal, LPARAM lParam) {
    auto& message = *reinterpret_cast<MSG*>(lParam);
    static const UINT request = RegisterWindowMessageW(kAgentMessage);
    if (code == HC_ACTION && removal == PM_REMOVE && !message.hwnd && message.message == request) {
        message.hwnd = Runner();
        message.message = kRun;
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}
