// A low-level keyboard hook that keeps the candidate's keyboard to the program while one of its windows is the
// active window: keystrokes injected by software (an auto-typer, SendInput from another program) are swallowed,
// and so are the keys that would leave the program: the Windows keys, Alt+Tab, Alt+Esc, Ctrl+Esc and
// Ctrl+Shift+Esc. Ctrl+Alt+Del is the system's own and no program can refuse it.
//
// The hook runs on a thread of its own that does nothing else, so it answers at once whatever the windows'
// thread is busy with: Windows silently removes a low-level hook that keeps it waiting.
#pragma once

#include <windows.h>

#include <thread>

namespace exam {

class KeyboardGuard {
public:
    // Starts the hook's thread and returns at once: installing the hook takes a while, which the first screen
    // does without.
    KeyboardGuard();
    ~KeyboardGuard();
    KeyboardGuard(const KeyboardGuard&) = delete;
    KeyboardGuard& operator=(const KeyboardGuard&) = delete;

    // Waits until the hook is in place; throws when it cannot be installed.
    void RequireInstalled();

private:
    void Run();

    HANDLE ready_;
    std::thread thread_;
    DWORD threadId_ = 0;
    bool hooked_ = false;
};

}  // namespace exam
