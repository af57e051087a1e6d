// The results chart: one series of bars, each in its own colour, standing left to right in the order they were
// added, each with a mark giving its label and value.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/FontCache.h"
#include "platform/Window.h"
#include "platform/pure/Docking.h"

namespace platform {

class BarChart : public Window {
public:
    struct Bar {
        std::string label;  // Windows-1254
        int value;          // a count, never negative
        COLORREF colour;
    };

    static constexpr COLORREF kSeriesColour = RGB(255, 0, 0);

    BarChart(HWND parent, const geometry::Rect& bounds);

    // The density of the form the chart stands in, at which its marks and lines are drawn.
    void SetDpi(int dpi);
    void Clear();
    void Add(std::string label, int value, COLORREF colour = kSeriesColour);
    const std::vector<Bar>& Bars() const { return bars_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);

    std::vector<Bar> bars_;
    FontCache fonts_;
    std::string thousandsSeparator_;
    int dpi_ = 96;
};

}  // namespace platform
