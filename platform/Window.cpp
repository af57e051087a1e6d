#include "platform/Window.h"

#include "platform/ErrorHandler.h"
#include "platform/OutsideMessages.h"
#include "platform/SystemReason.h"

namespace platform {

namespace {

void RegisterOnce(const WindowClass& windowClass, WNDPROC procedure) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, windowClass.name, &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = windowClass.style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = windowClass.background;
    wc.lpszClassName = windowClass.name;
    if (!RegisterClassExW(&wc)) ThrowLastError("RegisterClassEx failed");
}

}  // namespace

Window::~Window() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void Window::Create(const WindowClass& windowClass, const wchar_t* title, const WindowPlacement& placement) {
    RegisterOnce(windowClass, &Window::Procedure);
    const RECT& b = placement.bounds;
    CreateWindowExW(placement.exStyle, windowClass.name, title, placement.style, b.left, b.top, b.right, b.bottom,
                    placement.owner, nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) ThrowLastError("CreateWindowEx failed");
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()) + 1)));
    return text;
}

Window* Window::FromHandle(HWND hwnd) {
    const bool ours = GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Window::Procedure);
    return ours ? reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)) : nullptr;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (RefusesFromElsewhere(hwnd, message)) return 0;
    return Guarded([&] { return self->HandleMessage(message, wParam, lParam); });
}

}  // namespace platform
