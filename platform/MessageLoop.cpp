#include "platform/MessageLoop.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/ErrorHandler.h"
#include "platform/KeyTranslator.h"
#include "platform/KeyboardState.h"
#include "platform/OutsideMessages.h"
#include "platform/SystemReason.h"

namespace platform {

namespace {

bool quitRequested = false;
std::unique_ptr<QueuedMessageGuard::Filter> activeFilter;
thread_local const MSG* delivering = nullptr;  // the message that a loop of the thread is delivering

LRESULT CALLBACK FilterQueuedMessage(int code, WPARAM removal, LPARAM lParam) {
    auto& message = *reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && activeFilter && message.message != WM_NULL &&
        !Guarded([&] { return (*activeFilter)(message); }))
        message.message = WM_NULL;
    if (code == HC_ACTION && removal == PM_REMOVE && IsKeyMessage(message.message) && CameFromKeyboard())
        FollowKey(message.message, message.wParam, message.lParam);
    return CallNextHookEx(nullptr, code, removal, lParam);
}

}  // namespace

void RequestQuit(int exitCode) {
    quitRequested = true;
    PostQuitMessage(exitCode);
}

// The keyboard's and the mouse's messages first: Windows hands them over only once no posted message waits, so behind
// a flood of messages that another program posts the candidate's keys would wait for all of them.
bool NextMessage(MSG& message) {
    for (;;) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT)) return true;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == -1) ThrowLastError("GetMessage failed");
        if (got) return true;
        if (quitRequested) return false;
    }
}

int RunMessageLoop() {
    MSG message;
    while (NextMessage(message)) {
        Deliver(message);
    }
    return static_cast<int>(message.wParam);
}

void DeliverWaitingInput() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT)) Deliver(message);
}

// Only a key message is translated, so only for one is the window's mark read: a window property, which under Wine
// costs a trip to the window server.
void Deliver(const MSG& message) {
    const MSG* const outer = std::exchange(delivering, &message);  // a handler's modal loop delivers its own meanwhile
    if (IsKeyMessage(message.message) && !TranslatesOwnKeys(message.hwnd)) TranslateMessage(&message);
    DispatchMessageW(&message);
    delivering = outer;
}

// The message's time is the tick count when it was queued (for input, when the device made it). Counted as a signed
// difference, so that the count's wrap after 49 days does not matter, and never below zero, should an input's time
// run a little ahead of the tick count.
std::chrono::milliseconds TimeSinceQueued(HWND hwnd, UINT message, LPARAM lParam) {
    if (!delivering || delivering->hwnd != hwnd || delivering->message != message || delivering->lParam != lParam)
        return {};
    const auto since = static_cast<LONG>(GetTickCount() - delivering->time);
    return std::chrono::milliseconds(std::max<LONG>(since, 0));
}

QueuedMessageGuard::QueuedMessageGuard(Filter filter) {
    if (activeFilter) throw std::logic_error("one queued-message filter per thread");
    hook_ = SetWindowsHookExW(WH_GETMESSAGE, &FilterQueuedMessage, nullptr, GetCurrentThreadId());
    if (!hook_) ThrowLastError("the message hook cannot be installed");
    activeFilter = std::make_unique<Filter>(std::move(filter));
    FollowKeyboard();
}

QueuedMessageGuard::~QueuedMessageGuard() {
    UnhookWindowsHookEx(hook_);
    activeFilter.reset();
}

}  // namespace platform
