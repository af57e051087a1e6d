#include "platform/OutsideMessages.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <initializer_list>

#include "platform/TimerThread.h"
#include "platform/Window.h"

namespace platform {

namespace {

constexpr UINT kSysTimer = 0x0118;  // WM_SYSTIMER: the caret's blink

bool OneOf(UINT message, std::initializer_list<UINT> messages) {
    return std::ranges::find(messages, message) != messages.end();
}

bool IsMouseMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

// A list view's rows and columns. The item and column messages carry a pointer that Windows does not copy: a reader
// in another process, a screen reader's proxy as much as a test, hands the structure in this process's memory,
// which it allocated there. Only the hall's console has list views; no exam window does.
bool ReadsListView(UINT message) {
    return OneOf(message, {LVM_GETITEMCOUNT, LVM_GETHEADER, LVM_GETNEXTITEM, LVM_GETTOPINDEX, LVM_GETCOUNTPERPAGE,
                           LVM_GETSELECTEDCOUNT, LVM_GETITEMTEXTW, LVM_GETCOLUMNW});
}

// Reading, with messages that carry no pointer or whose data Windows copies between processes. A pointer that
// Windows does not copy would be used here as it stands, pointing anywhere: the message could crash the program,
// so it is refused like any change.
bool Reads(UINT message) {
    return OneOf(message,
                 {WM_GETTEXT,       WM_GETTEXTLENGTH,  WM_GETFONT,       WM_GETOBJECT,      WM_NCHITTEST,
                  WM_QUERYUISTATE,  WM_GETICON,        EM_GETSEL,        EM_GETLINE,        EM_GETLINECOUNT,
                  EM_LINEINDEX,     EM_LINELENGTH,     EM_LINEFROMCHAR,  EM_EXLINEFROMCHAR, EM_GETFIRSTVISIBLELINE,
                  EM_GETMODIFY,     EM_CANUNDO,        EM_CANPASTE,      EM_GETOPTIONS,     EM_GETEVENTMASK,
                  EM_GETLIMITTEXT,  EM_SELECTIONTYPE,  LB_GETCOUNT,      LB_GETTEXT,        LB_GETTEXTLEN,
                  LB_GETCURSEL,     LB_GETTOPINDEX,    LB_GETITEMHEIGHT, LB_GETSEL,         LB_GETITEMDATA,
                  LB_GETCARETINDEX, LB_GETANCHORINDEX, LB_ITEMFROMPOINT, SB_GETTEXTLENGTHW, SB_GETTEXTLENGTHA,
                  BM_GETCHECK,      BM_GETSTATE}) ||
           ReadsListView(message);
}

// What Windows tells a top-level window from elsewhere: what another program or the user has already done to it
// (moved, hidden, activated or deactivated it: the window puts itself back), the screens and settings that
// changed, the session ending.
bool IsNotice(UINT message) {
    return OneOf(message, {WM_WINDOWPOSCHANGING,
                           WM_WINDOWPOSCHANGED,
                           WM_MOVE,
                           WM_SIZE,
                           WM_GETMINMAXINFO,
                           WM_NCCALCSIZE,
                           WM_NCPAINT,
                           WM_ERASEBKGND,
                           WM_PAINT,
                           WM_SYNCPAINT,
                           WM_NCACTIVATE,
                           WM_ACTIVATE,
                           WM_ACTIVATEAPP,
                           WM_SETFOCUS,
                           WM_KILLFOCUS,
                           WM_ENABLE,
                           WM_CAPTURECHANGED,
                           WM_STYLECHANGING,
                           WM_STYLECHANGED,
                           WM_CHILDACTIVATE,
                           WM_DISPLAYCHANGE,
                           WM_SETTINGCHANGE,
                           WM_DPICHANGED,
                           WM_SYSCOLORCHANGE,
                           WM_THEMECHANGED,
                           WM_FONTCHANGE,
                           WM_TIMECHANGE,
                           WM_DEVICECHANGE,
                           WM_POWERBROADCAST,
                           WM_QUERYENDSESSION,
                           WM_ENDSESSION,
                           WM_INPUTLANGCHANGE});
}

bool CameFrom(std::initializer_list<INPUT_MESSAGE_DEVICE_TYPE> devices) {
    INPUT_MESSAGE_SOURCE source{};
    return GetCurrentInputMessageSource(&source) && source.originId == IMO_HARDWARE &&
           std::ranges::find(devices, source.deviceType) != devices.end();
}

// Sent by another thread or process and not yet answered. Everything a window does while it handles a sent message
// reports that message's origin, the messages it sends itself included; once a window has answered (ReplyMessage) a
// wake-up of its own timers or a notice of changed screens, what it does next is its own work again.
bool SentFromElsewhere() {
    const DWORD how = InSendMessageEx(nullptr);
    return (how & (ISMEX_SEND | ISMEX_NOTIFY | ISMEX_CALLBACK)) && !(how & ISMEX_REPLIED);
}

thread_local bool answeringRead = false;

}  // namespace

AnsweringRead::AnsweringRead(UINT message) : before_(answeringRead) {
    answeringRead = before_ || (Reads(message) && SentFromElsewhere());
}

AnsweringRead::~AnsweringRead() { answeringRead = before_; }

bool RefusesFromElsewhere(HWND window, UINT message) {
    if (!SentFromElsewhere() || Reads(message) || (message == WM_NOTIFY && answeringRead)) return false;
    const bool notice = IsNotice(message) || message == TimerThread::kWakeMessage;  // the timers' own, for a form
    return (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) || !notice;
}

bool IsKeyMessage(UINT message) { return OneOf(message, {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP}); }

bool IsCharacterMessage(UINT message) { return OneOf(message, {WM_CHAR, WM_DEADCHAR, WM_SYSCHAR, WM_SYSDEADCHAR}); }

bool CameFromKeyboard() { return CameFrom({IMDT_KEYBOARD}); }

bool CameFromPointer() { return CameFrom({IMDT_MOUSE, IMDT_TOUCH, IMDT_PEN}); }

// Characters come from TranslateMessage, with no origin of their own: a window that must (the typing area) judges
// them by the key that made them. Hover and leave notices come from Windows' own tracking of the pointer. The layout
// switch that Windows posts on the candidate's Alt+Shift changes no window: it only makes the next keys type another
// layout's letters. The messages that pass whoever posts them are looked at first: a flood of them costs the least.
bool AcceptsQueued(const MSG& message) {
    const UINT m = message.message;
    if (IsCharacterMessage(m) || (m >= WM_APP && m < 0xC000) ||
        OneOf(m, {WM_NULL, WM_PAINT, WM_TIMER, kSysTimer, WM_DISPLAYCHANGE, WM_INPUTLANGCHANGEREQUEST, WM_MOUSEHOVER,
                  WM_MOUSELEAVE, WM_NCMOUSEHOVER, WM_NCMOUSELEAVE}))
        return true;
    if (!Window::FromHandle(GetAncestor(message.hwnd, GA_ROOT))) return true;  // a message box, the thread itself
    if (IsKeyMessage(m)) return CameFromKeyboard();
    if (IsMouseMessage(m)) return CameFromPointer();
    return false;
}

}  // namespace platform
