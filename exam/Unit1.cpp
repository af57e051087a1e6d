#include "exam/Unit1.h"

namespace exam {

namespace {
constexpr platform::WindowClass kSinavFormClass{L"TSinavForm"};
}

TSinavForm::TSinavForm() {
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    Create(kSinavFormClass, L"PC1", {.style = WS_POPUP, .bounds = screen});
}

LRESULT TSinavForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace exam
