#include "platform/Monitors.h"

#include <algorithm>

namespace platform {

std::vector<RECT> MonitorRects() {
    std::vector<RECT> monitors;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, LPRECT bounds, LPARAM list) {
            reinterpret_cast<std::vector<RECT>*>(list)->push_back(*bounds);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

bool SameMonitors(const std::vector<RECT>& a, const std::vector<RECT>& b) {
    return std::ranges::equal(a, b, [](const RECT& x, const RECT& y) { return EqualRect(&x, &y) != FALSE; });
}

}  // namespace platform
