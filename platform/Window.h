// Base of every top-level window: registers its class once, keeps `this` in the window's user data from
// WM_NCCREATE to WM_NCDESTROY and forwards messages to the object.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

struct WindowClass {
    const wchar_t* name;
    UINT style = 0;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
};

struct WindowPlacement {
    DWORD style;
    DWORD exStyle = 0;
    RECT bounds{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};  // left, top, width, height
    HWND owner = nullptr;
};

// A window's text as it stands.
std::wstring WindowText(HWND window);

class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return hwnd_; }
    // The object of one of the program's windows, or null.
    static Window* FromHandle(HWND hwnd);

protected:
    Window() = default;
    void Create(const WindowClass& windowClass, const wchar_t* title, const WindowPlacement& placement);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

}  // namespace platform
