#include "tests/win/GuiObjectCount.h"

namespace testing_pc1 {

namespace {

BOOL CALLBACK CountOne(HWND, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    return TRUE;
}

// EnumChildWindows reaches every descendant by itself.
BOOL CALLBACK CountWindowAndDescendants(HWND window, LPARAM count) {
    CountOne(window, count);
    EnumChildWindows(window, CountOne, count);
    return TRUE;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const GuiObjects& objects) {
    return out << objects.gdi << " GDI, " << objects.user << " USER";
}

// Wine's GetGuiResources answers 0 with ERROR_CALL_NOT_IMPLEMENTED. There the live GDI objects are counted by
// asking GetObjectType about every handle index (Wine takes a handle without its upper word), and the USER
// objects as the thread's windows, the only USER objects the program makes over and over.
GuiObjects CountGuiObjects() {
    SetLastError(ERROR_SUCCESS);
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (gdi || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
        return {gdi, GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
    GuiObjects objects{0, 0};
    for (ULONG_PTR index = 0; index <= 0xFFFF; ++index)
        objects.gdi += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindowAndDescendants, reinterpret_cast<LPARAM>(&objects.user));
    return objects;
}

}  // namespace testing_pc1
