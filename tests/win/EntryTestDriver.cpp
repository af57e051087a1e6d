#include "tests/win/EntryTestDriver.h"

#include <thread>
#include <vector>

#include "platform/Cp1254.h"

namespace testing_pc1 {

namespace {

WindowWatcher* watcher = nullptr;

BOOL CALLBACK CollectVisible(HWND hwnd, LPARAM list) {
    if (IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

}  // namespace

WindowWatcher::WindowWatcher(std::map<std::wstring, Handler> handlers)
    : handlers_(std::move(handlers)), timer_(SetTimer(nullptr, 0, 20, &WindowWatcher::Tick)) {
    watcher = this;
}

WindowWatcher::~WindowWatcher() {
    KillTimer(nullptr, timer_);
    watcher = nullptr;
}

void CALLBACK WindowWatcher::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!watcher) return;
    std::erase_if(watcher->seen_, [](HWND hwnd) { return !IsWindow(hwnd); });
    std::vector<HWND> visible;
    EnumThreadWindows(GetCurrentThreadId(), CollectVisible, reinterpret_cast<LPARAM>(&visible));
    for (HWND hwnd : visible) {
        wchar_t className[64];
        GetClassNameW(hwnd, className, 64);
        const auto handler = watcher->handlers_.find(className);
        if (handler != watcher->handlers_.end() && watcher->seen_.insert(hwnd).second) handler->second(hwnd);
    }
}

void Type(HWND control, std::string_view text) {
    for (const wchar_t c : platform::WidenCp1254(text)) SendMessageW(control, WM_CHAR, c, 1);
}

void FromAnotherThread(const std::function<void()>& work) {
    const HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread other([&] {
        work();
        SetEvent(done);
    });
    while (MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    other.join();
    CloseHandle(done);
}

HeldKeys::HeldKeys(std::initializer_list<BYTE> keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    GetKeyboardState(state);
    for (const BYTE key : keys) state[key] = 0x80;
    SetKeyboardState(state);
}

HeldKeys::~HeldKeys() { SetKeyboardState(saved_); }

}  // namespace testing_pc1
