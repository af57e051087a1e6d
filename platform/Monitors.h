// The monitors as Windows reports them at the moment.
#pragma once

#include <windows.h>

#include <vector>

namespace platform {

// Every monitor's rectangle on the virtual screen, in the order Windows lists them.
std::vector<RECT> MonitorRects();
bool SameMonitors(const std::vector<RECT>& a, const std::vector<RECT>& b);

}  // namespace platform
