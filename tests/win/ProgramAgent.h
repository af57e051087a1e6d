// What the tests share with the agent library, which a hook of theirs loads into a running PC1. PC1 refuses what
// other programs send or post to its windows, so a test that drives it from outside hands each message to the
// agent's window on PC1's windows' thread, which sends it on from there as the program's own code would.
#pragma once

#include <windows.h>

namespace testing_pc1 {

inline constexpr wchar_t kAgentWindowClass[] = L"PC1TestAgent";

// Handed to the agent's window with WM_COPYDATA.
struct AgentCommand {
    HWND target;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool hasText;  // lParam is then the text below, in PC1's memory
    wchar_t text[256];
};

}  // namespace testing_pc1
