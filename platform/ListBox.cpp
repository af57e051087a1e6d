#include "platform/ListBox.h"

#include "platform/Cp1254.h"

namespace platform {

int ListBoxCount(HWND listBox) { return static_cast<int>(SendMessageW(listBox, LB_GETCOUNT, 0, 0)); }

void ReplaceListBoxItems(HWND listBox, std::size_t keep, std::span<const std::string> appended) {
    SendMessageW(listBox, WM_SETREDRAW, FALSE, 0);
    for (auto count = static_cast<std::size_t>(ListBoxCount(listBox)); count > keep; --count)
        SendMessageW(listBox, LB_DELETESTRING, count - 1, 0);
    for (const std::string& item : appended)
        SendMessageW(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidenCp1254(item).c_str()));
    SendMessageW(listBox, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox, nullptr, TRUE);
}

}  // namespace platform
