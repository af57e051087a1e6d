#include "platform/ListBox.h"

#include "platform/Cp1254.h"

namespace platform {

int ListBoxCount(HWND listBox) { return static_cast<int>(SendMessageW(listBox, LB_GETCOUNT, 0, 0)); }

// A whole list is emptied in one message, with room made at once for the items that replace it: the results' lists of
// a few hundred words take a message a word and no more.
void ReplaceListBoxItems(HWND listBox, std::size_t keep, std::span<const std::string> appended) {
    SendMessageW(listBox, WM_SETREDRAW, FALSE, 0);
    if (keep == 0) {
        SendMessageW(listBox, LB_RESETCONTENT, 0, 0);
        std::size_t bytes = 0;
        for (const std::string& item : appended) bytes += (item.size() + 1) * sizeof(wchar_t);
        SendMessageW(listBox, LB_INITSTORAGE, appended.size(), static_cast<LPARAM>(bytes));
    }
    for (auto count = static_cast<std::size_t>(ListBoxCount(listBox)); count > keep; --count)
        SendMessageW(listBox, LB_DELETESTRING, count - 1, 0);
    for (const std::string& item : appended)
        SendMessageW(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidenCp1254(item).c_str()));
    SendMessageW(listBox, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox, nullptr, TRUE);
}

}  // namespace platform
