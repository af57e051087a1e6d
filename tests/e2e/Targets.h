// Finds a running PC1's windows and timers from another process, by the names its forms' tables give them. A
// target is a window class ("TSonucForm") or a form's control ("TSinavForm.Yazilan"), found by the id its form
// gives it, its index in the form's table; a timer ("TSinavForm.SinavTimer") has the id its index gives it.
#pragma once

#include <windows.h>

#include <string_view>

namespace e2e {

HWND FindTarget(std::wstring_view target);
HWND RequireTarget(std::wstring_view target);  // throws when there is none
UINT_PTR TimerId(std::wstring_view timer);     // throws when the form has no such timer

}  // namespace e2e
