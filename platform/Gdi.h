// Owners of GDI objects and device contexts.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/Unique.h"
#include "platform/pure/Docking.h"

namespace platform {

inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }

using UniqueFont = Unique<HFONT, DeleteGdiObject>;
using UniqueBrush = Unique<HBRUSH, DeleteGdiObject>;
using UniquePen = Unique<HPEN, DeleteGdiObject>;
using UniqueBitmap = Unique<HBITMAP, DeleteGdiObject>;
using UniqueMemoryDc = Unique<HDC, DeleteDC>;
inline void ReleaseScreenDc(HDC dc) { ReleaseDC(nullptr, dc); }
using UniqueScreenDc = Unique<HDC, ReleaseScreenDc>;

// One of the screen's device capabilities (GetDeviceCaps), read on its device context.
inline int ScreenCapability(int index) { return GetDeviceCaps(UniqueScreenDc(GetDC(nullptr)).get(), index); }

inline RECT ToRect(const geometry::Rect& r) { return {r.left, r.top, r.Right(), r.Bottom()}; }

// Selects an object into a device context for the guard's lifetime.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The size of `text` in `font` as the screen draws it, and the font's line height; measured on the screen's DC.
struct TextMeasure {
    SIZE extent;
    int lineHeight;
};

inline TextMeasure MeasureOnScreen(HFONT font, std::wstring_view text = {}) {
    const HDC screen = GetDC(nullptr);
    TextMeasure measure{};
    TEXTMETRICW metrics{};
    {
        SelectedObject selected(screen, font);
        GetTextExtentPoint32W(screen, text.data(), static_cast<int>(text.size()), &measure.extent);
        GetTextMetricsW(screen, &metrics);
    }
    ReleaseDC(nullptr, screen);
    measure.lineHeight = metrics.tmHeight;
    return measure;
}

}  // namespace platform
