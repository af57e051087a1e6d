#include "platform/KeyboardState.h"

#include <atomic>

namespace platform {

namespace {

constexpr int kModifiers[] = {VK_SHIFT,    VK_LSHIFT, VK_RSHIFT, VK_CONTROL, VK_LCONTROL,
                              VK_RCONTROL, VK_MENU,   VK_LMENU,  VK_RMENU};

std::atomic<bool> following = false;
std::array<bool, 256> down{};
bool capsLock = false;

bool IsModifier(int key) {
    for (const int modifier : kModifiers)
        if (modifier == key) return true;
    return false;
}

// The left or right key of a modifier that the message names as either: by its scan code for Shift, by the extended
// flag for Ctrl and Alt, as the keyboard sends them.
int SidedKey(WPARAM key, LPARAM lParam) {
    const bool extended = (lParam >> 24) & 1;
    switch (key) {
    case VK_SHIFT:
        return static_cast<int>(MapVirtualKeyW((lParam >> 16) & 0xFF, MAPVK_VSC_TO_VK_EX)) == VK_RSHIFT ? VK_RSHIFT
                                                                                                        : VK_LSHIFT;
    case VK_CONTROL:
        return extended ? VK_RCONTROL : VK_LCONTROL;
    case VK_MENU:
        return extended ? VK_RMENU : VK_LMENU;
    default:
        return static_cast<int>(key);
    }
}

void Join(int generic, int left, int right) { down[generic] = down[left] || down[right]; }

// A release that the thread never took (the keys went to the secure desktop of Ctrl+Alt+Del, or to another program)
// leaves a modifier marked held. The keyboard's asynchronous state, which no program can set without pressing keys,
// says it is up; and when no key message waits in the queue, no release of it is still to come.
bool StillHeld(int key) {
    return down[key] && (GetAsyncKeyState(key) < 0 || (HIWORD(GetQueueStatus(QS_KEY)) & QS_KEY));
}

}  // namespace

void FollowKeyboard() {
    if (following.exchange(true)) return;
    capsLock = GetKeyState(VK_CAPITAL) & 1;
    for (const int modifier : kModifiers) down[modifier] = GetAsyncKeyState(modifier) < 0;
}

void FollowKey(UINT message, WPARAM key, LPARAM lParam) {
    if (!following) return;
    const bool pressed = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const bool repeated = (lParam >> 30) & 1;
    if (key == VK_CAPITAL && pressed && !repeated) capsLock = !capsLock;
    const int sided = SidedKey(key, lParam);
    if (!IsModifier(sided)) return;
    down[sided] = pressed;
    Join(VK_SHIFT, VK_LSHIFT, VK_RSHIFT);
    Join(VK_CONTROL, VK_LCONTROL, VK_RCONTROL);
    Join(VK_MENU, VK_LMENU, VK_RMENU);
}

bool KeyHeld(int key) { return following ? StillHeld(key) : GetKeyState(key) < 0; }

std::array<BYTE, 256> KeyStateForTyping() {
    std::array<BYTE, 256> state{};
    if (!following) {
        GetKeyboardState(state.data());
        return state;
    }
    for (const int modifier : kModifiers) state[modifier] = StillHeld(modifier) ? 0x80 : 0;
    state[VK_CAPITAL] = capsLock ? 1 : 0;
    return state;
}

}  // namespace platform
