#include "platform/MessageLoop.h"

#include <memory>

#include "platform/ErrorHandler.h"
#include "platform/KeyTranslator.h"
#include "platform/SystemReason.h"

namespace platform {

namespace {

bool quitRequested = false;
std::unique_ptr<QueuedMessageGuard::Filter> activeFilter;

LRESULT CALLBACK FilterQueuedMessage(int code, WPARAM removal, LPARAM lParam) {
    auto& message = *reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && activeFilter && message.message != WM_NULL &&
        !Guarded([&] { return (*activeFilter)(message); }))
        message.message = WM_NULL;
    return CallNextHookEx(nullptr, code, removal, lParam);
}

}  // namespace

void RequestQuit(int exitCode) {
    quitRequested = true;
    PostQuitMessage(exitCode);
}

bool NextMessage(MSG& message) {
    for (;;) {
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

void Deliver(const MSG& message) {
    if (!TranslatesOwnKeys(message.hwnd)) TranslateMessage(&message);
    DispatchMessageW(&message);
}

QueuedMessageGuard::QueuedMessageGuard(Filter filter) {
    if (activeFilter) throw std::logic_error("one queued-message filter per thread");
    hook_ = SetWindowsHookExW(WH_GETMESSAGE, &FilterQueuedMessage, nullptr, GetCurrentThreadId());
    if (!hook_) ThrowLastError("the message hook cannot be installed");
    activeFilter = std::make_unique<Filter>(std::move(filter));
}

QueuedMessageGuard::~QueuedMessageGuard() {
    UnhookWindowsHookEx(hook_);
    activeFilter.reset();
}

}  // namespace platform
