// What the program's windows take from other threads and processes. Any program on the desktop may send or post
// any message to any window; nothing it sends or posts may act on the program's windows. Reading them stays open
// (screen readers read them), and Windows still tells a window what has happened to it and to the screens. Keys and
// mouse messages act only when a keyboard or a pointing device made them; characters, which carry no origin, are
// left to the window that takes them.
//
// Sent messages carry their origin (InSendMessageEx). Posted ones carry none: the thread's queue filter
// (QueuedMessageGuard with AcceptsQueued) lets through to the program's windows only input, which is judged by the
// device that made it, and the notices the program posts to itself, whose handlers read what they announce from
// the program's own state. What the program's own thread sends its windows is always its own.
#pragma once

#include <windows.h>

namespace platform {

// Whether a window of the program must not act on the message it is handling, because another thread or process
// sent it.
bool RefusesFromElsewhere(HWND window, UINT message);

// While a control answers another program's reading of it, the notifications it sends its own container to answer it
// (a list view asks its container for the text of the item read) are its own, whatever the thread's sent message says.
class AnsweringRead {
public:
    explicit AnsweringRead(UINT message);
    ~AnsweringRead();
    AnsweringRead(const AnsweringRead&) = delete;
    AnsweringRead& operator=(const AnsweringRead&) = delete;

private:
    bool before_;
};

// Whether a message that a loop of the thread takes from the queue may reach its window: the filter of the
// program's QueuedMessageGuard.
bool AcceptsQueued(const MSG& message);

bool IsKeyMessage(UINT message);        // a key pressed or released
bool IsCharacterMessage(UINT message);  // a character that TranslateMessage made of a key

// The input message being handled was made by the keyboard, or by a mouse, pen or touch screen: not posted, sent
// or injected (SendInput) by a program.
bool CameFromKeyboard();
bool CameFromPointer();

}  // namespace platform
