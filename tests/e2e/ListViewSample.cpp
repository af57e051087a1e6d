// A list view of known rows for the inspector's reader of list views, which the scripts use on the hall's console:
//   list-view-sample ROW...   each row's cells joined by a tab; the first row gives the count of columns
// It shows a report-view list view as a window of its own, found as the target "SysListView32", until it is ended.
#include <windows.h>

#include <commctrl.h>

#include <span>
#include <string>
#include <vector>

#include "tests/e2e/Console.h"

namespace {

std::vector<std::wstring> Cells(std::wstring_view row) {
    std::vector<std::wstring> cells;
    for (std::size_t start = 0;;) {
        const std::size_t tab = row.find(L'\t', start);
        cells.emplace_back(row.substr(start, tab - start));
        if (tab == std::wstring_view::npos) return cells;
        start = tab + 1;
    }
}

int Run(std::span<wchar_t*> args) {
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    const HWND listView = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_POPUP | WS_VISIBLE | LVS_REPORT, 0, 0, 600, 300,
                                          nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const std::vector<std::wstring> columns = Cells(args.size() > 1 ? args[1] : L"");
    for (std::size_t c = 0; c < columns.size(); ++c) {
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        column.cx = 150;
        SendMessageW(listView, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    for (std::size_t r = 1; r < args.size(); ++r) {
        std::vector<std::wstring> cells = Cells(args[r]);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(r - 1);
        item.pszText = cells[0].data();
        SendMessageW(listView, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (std::size_t c = 1; c < cells.size(); ++c) {
            item.iSubItem = static_cast<int>(c);
            item.pszText = cells[c].data();
            SendMessageW(listView, LVM_SETITEMTEXTW, r - 1, reinterpret_cast<LPARAM>(&item));
        }
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return e2e::RunCommandLine("list-view-sample", argc, argv, Run); }
