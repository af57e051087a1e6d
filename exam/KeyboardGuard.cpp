#include "exam/KeyboardGuard.h"
#include "platform/SystemReason.h"

#include <bitset>

namespace exam {

namespace {

// Modifiers as the keyboard holds them, followed from the hook's own events: the hook's Alt flag is not
// reliable everywhere, and the thread's key state is not the keyboard's.
struct KeyboardState {
    bool alt = false, ctrl = false, shift = false;
    std::bitset<256> swallowedDown;  // keys whose press was swallowed: their release goes the same way
};

KeyboardState keyboard;

bool ProgramIsActive() {
    DWORD process = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &process);
    return process == GetCurrentProcessId();
}

void FollowModifiers(DWORD key, bool down) {
    if (key == VK_MENU || key == VK_LMENU || key == VK_RMENU) keyboard.alt = down;
    if (key == VK_CONTROL || key == VK_LCONTROL || key == VK_RCONTROL) keyboard.ctrl = down;
    if (key == VK_SHIFT || key == VK_LSHIFT || key == VK_RSHIFT) keyboard.shift = down;
}

bool LeavesTheProgram(DWORD key) {
    if (key == VK_LWIN || key == VK_RWIN || key == VK_APPS) return true;
    if (key == VK_TAB) return keyboard.alt;
    if (key == VK_ESCAPE) return keyboard.alt || keyboard.ctrl;
    return false;
}

LRESULT CALLBACK OnKey(int code, WPARAM message, LPARAM lParam) {
    if (code != HC_ACTION) return CallNextHookEx(nullptr, code, message, lParam);
    const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const bool injected = key.flags & LLKHF_INJECTED;
    if (!injected) FollowModifiers(key.vkCode, down);
    if (!ProgramIsActive()) return CallNextHookEx(nullptr, code, message, lParam);
    if (injected) return 1;
    const auto vk = static_cast<std::size_t>(key.vkCode & 0xFF);
    const bool swallow = down ? LeavesTheProgram(key.vkCode) : keyboard.swallowedDown[vk];
    keyboard.swallowedDown[vk] = down && swallow;
    return swallow ? 1 : CallNextHookEx(nullptr, code, message, lParam);
}

}  // namespace

KeyboardGuard::KeyboardGuard() : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (!ready_) platform::ThrowLastError("the keyboard guard cannot start");
    thread_ = std::thread([this] { Run(); });
}

KeyboardGuard::~KeyboardGuard() {
    WaitForSingleObject(ready_, INFINITE);
    if (hooked_) PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    CloseHandle(ready_);
}

void KeyboardGuard::RequireInstalled() {
    WaitForSingleObject(ready_, INFINITE);
    if (!hooked_) platform::ThrowLastError("the keyboard guard cannot be installed");
}

void KeyboardGuard::Run() {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, before anyone posts to it
    threadId_ = GetCurrentThreadId();
    const HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, &OnKey, GetModuleHandleW(nullptr), 0);
    hooked_ = hook != nullptr;
    SetEvent(ready_);
    if (!hook) return;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    UnhookWindowsHookEx(hook);
}

}  // namespace exam
