// Drives the program's modal windows from inside the loops that show them, in the test's own process.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>

namespace testing_pc1 {

// While it lives, a thread timer looks every few milliseconds for visible top-level windows of this thread and hands
// each new one to the handler of its window class; a handler may open a modal loop of its own.
class WindowWatcher {
public:
    using Handler = std::function<void(HWND)>;
    explicit WindowWatcher(std::map<std::wstring, Handler> handlers);
    ~WindowWatcher();
    WindowWatcher(const WindowWatcher&) = delete;
    WindowWatcher& operator=(const WindowWatcher&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    std::map<std::wstring, Handler> handlers_;
    std::set<HWND> seen_;
    UINT_PTR timer_;
};

// Types Windows-1254 text into a control as the keyboard does, one character message at a time.
void Type(HWND control, std::string_view text);

// Runs `work` on another thread while this one delivers what it sends, as another program's messages arrive.
void FromAnotherThread(const std::function<void()>& work);

// Holds keys down for the thread's keyboard state, which the handlers read, while it lives.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<BYTE> keys);
    ~HeldKeys();

private:
    BYTE saved_[256];
};

}  // namespace testing_pc1
