// The program's message loops, and a say over what any loop of the thread takes from the queue.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

namespace platform {

// Ends the program's message loops with this exit code. Only a quit the program asked for ends them: a WM_QUIT
// that another program posts is dropped, since it would otherwise end the program in the middle of an exam.
void RequestQuit(int exitCode);

// GetMessage for the program's loops, the keyboard's and the mouse's messages before any other: false once the program
// has asked to quit, with the exit code in wParam.
bool NextMessage(MSG& message);

// Runs the thread's message loop until the program asks to quit; returns the exit code.
int RunMessageLoop();

// Delivers the keys and clicks that wait in the queue, and returns. Posted messages stay for the loop: another
// program may keep posting them for ever.
void DeliverWaitingInput();

// Delivers a message taken from the queue, its keys translated into characters unless the window makes its own.
void Deliver(const MSG& message);

// How long ago Windows queued the message that a window is handling, when a loop of the program delivers it: for a
// key, how long ago it was pressed or released, however long the thread was busy before taking it. Zero for a message
// sent to the window, which waited in no queue.
std::chrono::milliseconds TimeSinceQueued(HWND hwnd, UINT message, LPARAM lParam);

// Decides, for every message that any loop of the thread takes from the queue (the program's own, a message box's,
// a scroll bar's), whether it is delivered: a refused one becomes WM_NULL. Messages sent directly to a window never
// pass here. One filter per thread, for the guard's lifetime. From the first guard on, the program's modifiers and
// Caps Lock are those the keyboard's own keys set (platform/KeyboardState), followed here.
class QueuedMessageGuard {
public:
    using Filter = std::function<bool(const MSG&)>;
    explicit QueuedMessageGuard(Filter filter);
    ~QueuedMessageGuard();
    QueuedMessageGuard(const QueuedMessageGuard&) = delete;
    QueuedMessageGuard& operator=(const QueuedMessageGuard&) = delete;

private:
    HHOOK hook_ = nullptr;
};

}  // namespace platform
