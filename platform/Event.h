// What happens to a form or its controls, as its handlers see it.
#pragma once

#include <windows.h>

#include <chrono>

namespace platform {

// Change: an edit's text or a list box's selection changed. Recreated: a control that another program took away
// and destroyed is made again, empty, in its place. ColumnClick: a list view's column header was clicked. Open: a
// list view's row was double-clicked, or Enter pressed on it.
enum class Event {
    Click,
    Change,
    KeyDown,
    KeyUp,
    KeyPress,
    MouseDown,
    Resize,
    Show,
    Timer,
    Close,
    HitTest,
    Recreated,
    ColumnClick,
    Open
};

struct EventArgs {
    WORD key = 0;        // KeyDown, KeyUp: the virtual key; a handler sets it to 0 to cancel the key
    char character = 0;  // KeyPress: the Windows-1254 character; a handler sets it to 0 to discard it
    bool alt = false, shift = false, ctrl = false;
    bool repeated = false;   // KeyDown: sent by the keyboard's auto-repeat
    UINT mouseMessage = 0;   // MouseDown: WM_LBUTTONDOWN, WM_RBUTTONDBLCLK, ...
    LRESULT hitTest = 0;     // HitTest: the default answer, which a handler may replace
    bool requested = false;  // Close: the program itself closes the window, through Close()
    bool refused = false;    // Close: a handler keeps the window open
    // KeyDown, KeyUp: how long ago the key was pressed or released; it may have waited in the queue while the
    // program was busy. Zero for a key sent to the window.
    std::chrono::milliseconds sinceKey{};
    int item = -1;  // ColumnClick: the column; Open: the row
};

}  // namespace platform
