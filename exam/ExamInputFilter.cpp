#include "exam/ExamInputFilter.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <initializer_list>

namespace exam {

namespace {

bool OneOf(UINT message, std::initializer_list<UINT> messages) {
    return std::ranges::find(messages, message) != messages.end();
}

bool IsKeyMessage(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

bool IsCharacterMessage(UINT message) {
    return message == WM_CHAR || message == WM_DEADCHAR || message == WM_SYSCHAR || message == WM_SYSDEADCHAR;
}

bool IsMouseMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) ||
           OneOf(message, {WM_MOUSEHOVER, WM_MOUSELEAVE, WM_NCMOUSEHOVER, WM_NCMOUSELEAVE});
}

// What another thread or process may ask of a control: reading it, with messages that carry no pointer or whose
// data Windows copies between processes. A pointer that Windows does not copy would be used here as it stands,
// pointing anywhere: the message could crash the program, so it is refused like any change.
bool Reads(UINT message) {
    return OneOf(message,
                 {WM_GETTEXT,        WM_GETTEXTLENGTH, WM_GETFONT,        WM_GETOBJECT,           WM_NCHITTEST,
                  WM_QUERYUISTATE,   EM_GETSEL,        EM_GETLINE,        EM_GETLINECOUNT,        EM_LINEINDEX,
                  EM_LINELENGTH,     EM_LINEFROMCHAR,  EM_EXLINEFROMCHAR, EM_GETFIRSTVISIBLELINE, EM_GETMODIFY,
                  EM_CANUNDO,        EM_CANPASTE,      EM_GETOPTIONS,     EM_GETEVENTMASK,        EM_GETLIMITTEXT,
                  EM_SELECTIONTYPE,  LB_GETCOUNT,      LB_GETTEXT,        LB_GETTEXTLEN,          LB_GETCURSEL,
                  LB_GETTOPINDEX,    LB_GETITEMHEIGHT, LB_GETSEL,         LB_GETITEMDATA,         LB_GETCARETINDEX,
                  LB_GETANCHORINDEX, LB_ITEMFROMPOINT, SB_GETTEXTLENGTHW, SB_GETTEXTLENGTHA,      BM_GETCHECK,
                  BM_GETSTATE});
}

// Clipboard and undo, whoever asks: text comes into the text areas only as typed, and never goes out.
bool IsClipboardOrUndo(UINT message) {
    return OneOf(message, {WM_PASTE, WM_COPY, WM_CUT, WM_CLEAR, WM_UNDO, EM_UNDO, EM_REDO, EM_PASTESPECIAL,
                           WM_CONTEXTMENU, WM_UNICHAR, WM_IME_CHAR, WM_IME_COMPOSITION});
}

bool Held(int key) { return GetKeyState(key) < 0; }

// Copy, paste, cut and select-all, whatever else is held with them: Alt added to Ctrl+V still pastes. The
// character that AltGr (Ctrl and Alt) types with such a key is made from the key before the control sees it, so
// refusing the key refuses only the chord.
bool IsClipboardChord(WPARAM key) {
    if (Held(VK_CONTROL) && OneOf(static_cast<UINT>(key), {'C', 'V', 'X', 'A', VK_INSERT})) return true;
    return Held(VK_SHIFT) && (key == VK_INSERT || key == VK_DELETE);
}

// Undo and redo, which would change a text area behind the exam's back, read-only or not.
bool IsUndoChord(WPARAM key) {
    return (Held(VK_CONTROL) && (key == 'Z' || key == 'Y')) || (Held(VK_MENU) && key == VK_BACK);
}

// The control characters that chords type, as opposed to Tab, Enter and Backspace.
bool IsChordCharacter(wchar_t character) {
    return character < 0x20 && character != '\t' && character != '\r' && character != '\n' && character != '\b';
}

bool SentFromElsewhere() { return (InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_NOTIFY | ISMEX_CALLBACK)) != 0; }

}  // namespace

bool ExamInputFilter::Refuses(Target target, UINT message, WPARAM wParam, bool typing) const {
    // Windows itself sends the window messages from elsewhere (settings, shutdown): only commands and
    // notifications, which no one else may give and whose pointers Windows does not copy, are refused.
    const bool command = message == WM_COMMAND || message == WM_NOTIFY;
    if (SentFromElsewhere() && (target == Target::Window ? command : !Reads(message))) return true;
    if ((IsKeyMessage(message) || IsCharacterMessage(message)) && RefusesKey(message)) return true;
    if (target != Target::TypingArea && target != Target::SampleText) return false;

    if (IsClipboardOrUndo(message)) return true;
    const bool keyDown = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    if (keyDown && (IsClipboardChord(wParam) || IsUndoChord(wParam))) return true;
    return message == WM_CHAR && !TypesCharacter(target, static_cast<wchar_t>(wParam), typing);
}

bool ExamInputFilter::TypesCharacter(Target target, wchar_t character, bool typing) {
    return !IsChordCharacter(character) && (target != Target::TypingArea || typing);
}

// A key counts when the keyboard made it: not when another program posted it, sent it or injected it with
// SendInput. No character message counts at all: the program makes the characters of the keyboard's keys itself
// (platform/KeyTranslator), so one that arrives came from somewhere else.
bool ExamInputFilter::RefusesKey(UINT message) const {
    if (keys_ == KeySources::Any) return false;
    if (IsCharacterMessage(message)) return true;
    INPUT_MESSAGE_SOURCE source{};
    return !GetCurrentInputMessageSource(&source) || source.originId != IMO_HARDWARE;
}

bool ExamInputFilter::AcceptsQueuedForControl(UINT message) {
    return IsKeyMessage(message) || IsCharacterMessage(message) || IsMouseMessage(message) ||
           OneOf(message, {WM_NULL, WM_PAINT, WM_TIMER, 0x0118 /* WM_SYSTIMER: the caret's blink */});
}

// Clicks come straight from the controls, never through the queue.
bool ExamInputFilter::AcceptsQueuedForWindow(UINT message) { return message != WM_COMMAND; }

}  // namespace exam
