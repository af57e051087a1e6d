// Makes the characters of the keyboard's key presses for a control that types nothing else. The message loop does
// not translate such a control's keys: every character message that reaches it came from somewhere else (another
// program can post one at any moment) and is dropped, and the control types only what this makes from a key that
// the keyboard pressed.
//
// It does what the system's translation does, with the current keyboard layout and the keyboard's own modifiers and
// Caps Lock (platform/KeyboardState): the layout's letters
// (Turkish Q and F alike), Shift and Caps Lock, AltGr (Ctrl and Alt together) for the layout's third letters, and dead
// keys (the accent is kept by the system until the next key, which takes it or types it beside its own letter). A
// code typed on the keypad with Alt held types its character when Alt is released: with a leading 0 from the
// layout's Windows code page, without one from its DOS code page, as Windows does; a code of more than four digits
// types nothing, so that the supervisor's sequence on the keypad never types. Alt with any other key types nothing
// (it would be a menu key), nor do keys without a character (Shift, Ctrl, the locks, function keys) however long
// they are held.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

class KeyTranslator {
public:
    // The characters made by a key message that reached the control from the keyboard: none, one, or two when a
    // dead key's accent does not combine with the letter.
    std::wstring Translate(UINT message, WPARAM key, LPARAM lParam);

private:
    std::wstring KeyDown(WPARAM key, LPARAM lParam);

    int altCodeDigits_ = 0;
    unsigned altCode_ = 0;
    bool altCodeLeadingZero_ = false;
};

// Windows whose keys the program's message loops leave untranslated.
void TranslateOwnKeys(HWND hwnd);
bool TranslatesOwnKeys(HWND hwnd);
void ForgetOwnKeys(HWND hwnd);  // before the window is destroyed

}  // namespace platform
