// The agent library (tests/win/ProgramAgent.h). Its hook makes the agent's window on the first message that PC1's
// windows' thread takes; the window answers a command at once (ReplyMessage), so that the message it then sends is
// PC1's own, and the test goes on while the message acts: it may start a modal loop or end the program.
#include "tests/win/ProgramAgent.h"

namespace {

using namespace testing_pc1;

HINSTANCE agentModule = nullptr;

LRESULT CALLBACK AgentProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (message != WM_COPYDATA || data->cbData != sizeof(AgentCommand))
        return DefWindowProcW(hwnd, message, wParam, lParam);
    AgentCommand command = *static_cast<const AgentCommand*>(data->lpData);
    ReplyMessage(TRUE);
    SendMessageW(command.target, command.message, command.wParam,
                 command.hasText ? reinterpret_cast<LPARAM>(command.text) : command.lParam);
    return TRUE;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) agentModule = module;
    return TRUE;
}

extern "C" __declspec(dllexport) LRESULT CALLBACK AgentHook(int code, WPARAM removal, LPARAM lParam) {
    static const HWND agent = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = AgentProcedure;
        windowClass.hInstance = agentModule;
        windowClass.lpszClassName = kAgentWindowClass;
        RegisterClassW(&windowClass);
        // A hidden window of its own rather than a message-only one: under Wine, a message-only window made here was
        // at times never found by the test's search.
        return CreateWindowW(kAgentWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, agentModule, nullptr);
    }();
    (void)agent;
    return CallNextHookEx(nullptr, code, removal, lParam);
}
