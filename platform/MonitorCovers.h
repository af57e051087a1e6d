// Plain windows over every monitor but the one the program works on, so that nothing on the others can be clicked
// or typed into while it runs.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

namespace platform {

class MonitorCovers {
public:
    MonitorCovers();
    ~MonitorCovers();
    MonitorCovers(const MonitorCovers&) = delete;
    MonitorCovers& operator=(const MonitorCovers&) = delete;

    // Covers every monitor but the one whose rectangle is `kept`, topmost and owned by `owner`; called again
    // when the screens change, it covers the monitors as they are then.
    void CoverAllBut(const RECT& kept, HWND owner);

private:
    class Cover;
    std::vector<std::unique_ptr<Cover>> covers_;
};

}  // namespace platform
