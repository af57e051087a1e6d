// What the tests and the agent library loaded into a running PC1 share. PC1 refuses what other programs send or
// post to its windows, so a test that drives it from outside hands each message to the agent, which a hook of the
// test places on PC1's windows' thread, and which delivers it from there as the program's own code would.
#pragma once

#include <windows.h>

#include <string>

namespace testing_pc1 {

// Posted to PC1's thread: the agent takes the command from the shared memory of that thread's id.
inline constexpr wchar_t kAgentMessage[] = L"PC1TestAgent";
inline std::wstring AgentMemoryName(DWORD thread) { return L"Local\\PC1TestAgent." + std::to_wstring(thread); }
// Set by the agent once it has taken the command, before delivering it: a message may start a modal loop or end
// the program.
inline std::wstring AgentTakenName(DWORD thread) { return L"Local\\PC1TestAgentTaken." + std::to_wstring(thread); }

struct AgentCommand {
    HWND target;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool hasText;  // lParam is then the text below, in PC1's memory
    wchar_t text[256];
};

}  // namespace testing_pc1
