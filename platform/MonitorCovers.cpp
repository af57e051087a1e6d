#include "platform/MonitorCovers.h"

#include "platform/KeptPlacement.h"
#include "platform/Monitors.h"
#include "platform/Window.h"

namespace platform {

namespace {

const WindowClass kCoverClass{L"TEkranOrtusu", 0, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))};

}  // namespace

// Never active: a click on it goes nowhere and leaves the keyboard where it was. Kept in place and on top like
// the exam window, whatever another program does to it.
class MonitorCovers::Cover : public Window {
public:
    Cover(const RECT& bounds, HWND owner) {
        Create(kCoverClass, L"PC1",
               {.style = WS_POPUP,
                .exStyle = WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                .bounds = {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top},
                .owner = owner});
        ShowWindow(Handle(), SW_SHOWNA);
        placement_.Keep(Handle(), bounds);
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (placement_.OnMessage(message, wParam)) return 0;
        switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATEANDEAT;
        case WM_CLOSE:
        case WM_SYSCOMMAND:
            return 0;
        default:
            return Window::HandleMessage(message, wParam, lParam);
        }
    }

private:
    KeptPlacement placement_;
};

MonitorCovers::MonitorCovers() = default;
MonitorCovers::~MonitorCovers() = default;

void MonitorCovers::CoverAllBut(const RECT& kept, HWND owner) {
    covers_.clear();
    for (const RECT& monitor : MonitorRects())
        if (!EqualRect(&monitor, &kept)) covers_.push_back(std::make_unique<Cover>(monitor, owner));
}

}  // namespace platform
