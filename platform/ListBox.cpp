#include "platform/ListBox.h"

#include "platform/Cp1254.h"

namespace platform {

int ListBoxCount(HWND listBox) { return static_cast<int>(SendMessageW(listBox, LB_GETCOUNT, 0, 0)); }

std::vector<std::string> ListBoxItems(HWND listBox) {
    std::vector<std::string> items;
    for (int i = 0; i < ListBoxCount(listBox); ++i) {
        std::wstring item(SendMessageW(listBox, LB_GETTEXTLEN, i, 0) + 1, L'\0');
        item.resize(SendMessageW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data())));
        items.push_back(NarrowCp1254(item));
    }
    return items;
}

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
