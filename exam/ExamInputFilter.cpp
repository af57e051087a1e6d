#include "exam/ExamInputFilter.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <initializer_list>

#include "platform/KeyboardState.h"
#include "platform/OutsideMessages.h"

namespace exam {

namespace {

using platform::IsCharacterMessage;
using platform::IsKeyMessage;

bool OneOf(UINT message, std::initializer_list<UINT> messages) {
    return std::ranges::find(messages, message) != messages.end();
}

// Clipboard and undo, whoever asks: text comes into the text areas only as typed, and never goes out.
bool IsClipboardOrUndo(UINT message) {
    return OneOf(message, {WM_PASTE, WM_COPY, WM_CUT, WM_CLEAR, WM_UNDO, EM_UNDO, EM_REDO, EM_PASTESPECIAL,
                           WM_CONTEXTMENU, WM_UNICHAR, WM_IME_CHAR, WM_IME_COMPOSITION});
}

// Copy, paste, cut and select-all, whatever else is held with them: Alt added to Ctrl+V still pastes. The
// character that AltGr (Ctrl and Alt) types with such a key is made from the key before the control sees it, so
// refusing the key refuses only the chord.
bool IsClipboardChord(WPARAM key) {
    if (platform::KeyHeld(VK_CONTROL) && OneOf(static_cast<UINT>(key), {'C', 'V', 'X', 'A', VK_INSERT})) return true;
    return platform::KeyHeld(VK_SHIFT) && (key == VK_INSERT || key == VK_DELETE);
}

// Undo and redo, which would change a text area behind the exam's back, read-only or not.
bool IsUndoChord(WPARAM key) {
    return (platform::KeyHeld(VK_CONTROL) && (key == 'Z' || key == 'Y')) ||
           (platform::KeyHeld(VK_MENU) && key == VK_BACK);
}

// The control characters, which type nothing: those of chords, and Backspace's and Ctrl+Backspace's (DEL), whose
// erasing is the key's own. Tab and Enter are the only ones typed.
bool IsControlCharacter(wchar_t character) {
    return (character < 0x20 && character != '\t' && character != '\r' && character != '\n') || character == 0x7F;
}

}  // namespace

// What other threads and processes send the window and its controls is refused by every window of the program
// (platform/OutsideMessages).
bool ExamInputFilter::Refuses(Target target, UINT message, WPARAM wParam, bool typing) const {
    if ((IsKeyMessage(message) || IsCharacterMessage(message)) && RefusesKey(message)) return true;
    if (target != Target::TypingArea && target != Target::SampleText) return false;

    if (IsClipboardOrUndo(message)) return true;
    const bool keyDown = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    if (keyDown && (IsClipboardChord(wParam) || IsUndoChord(wParam))) return true;
    return message == WM_CHAR && !TypesCharacter(target, static_cast<wchar_t>(wParam), typing);
}

bool ExamInputFilter::TypesCharacter(Target target, wchar_t character, bool typing) {
    return !IsControlCharacter(character) && (target != Target::TypingArea || typing);
}

// A key counts when the keyboard made it: not when another program posted it, sent it or injected it with
// SendInput. No character message counts at all: the program makes the characters of the keyboard's keys itself
// (platform/KeyTranslator), so one that arrives came from somewhere else.
bool ExamInputFilter::RefusesKey(UINT message) const {
    if (keys_ == KeySources::Any) return false;
    return IsCharacterMessage(message) || !platform::CameFromKeyboard();
}

}  // namespace exam
