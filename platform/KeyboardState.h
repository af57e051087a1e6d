// The modifiers and Caps Lock as the keyboard set them, for the characters a key makes and the chords it belongs to.
// The thread's own key state (GetKeyState, GetKeyboardState) is not the keyboard's: another program can attach to
// the thread and set it (AttachThreadInput, SetKeyboardState), turning the candidate's letters into capitals or
// holding Alt down so that nothing types. Once the program follows the keyboard, the state is made only from the key
// messages that the keyboard made, in the order the thread takes them from its queue, so that a letter typed with
// Shift is a capital however late the thread takes it. Until then (the settings program, the console, a test that
// sends its own keys), the thread's state is the state.
#pragma once

#include <windows.h>

#include <array>

namespace platform {

// From now on, for the process's life.
void FollowKeyboard();
// A key message that the keyboard made, as a loop of the thread takes it from the queue.
void FollowKey(UINT message, WPARAM key, LPARAM lParam);

// Held as of the key message being handled: Shift, Ctrl, Alt, or any of their left and right keys.
bool KeyHeld(int key);
// The modifiers held and Caps Lock, as ToUnicodeEx takes them.
std::array<BYTE, 256> KeyStateForTyping();

}  // namespace platform
