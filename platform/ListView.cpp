#include "platform/ListView.h"

#include <commctrl.h>

#include "platform/Cp1254.h"
#include "platform/pure/Scaling.h"

namespace platform {

void SetListViewColumns(HWND listView, std::span<const ListColumn> columns, int dpi) {
    while (SendMessageW(listView, LVM_DELETECOLUMN, 0, 0)) {}
    for (std::size_t i = 0; i < columns.size(); ++i) {
        std::wstring title = WidenCp1254(columns[i].title);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = columns[i].numeric ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = geometry::Scaled(columns[i].width, dpi);
        column.pszText = title.data();
        column.iSubItem = static_cast<int>(i);
        SendMessageW(listView, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void SetListViewRowCount(HWND listView, int count) {
    SendMessageW(listView, LVM_SETITEMCOUNT, count, LVSICF_NOSCROLL);
    InvalidateRect(listView, nullptr, FALSE);
}

int SelectedListViewRow(HWND listView) {
    return static_cast<int>(SendMessageW(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectListViewRow(HWND listView, int row) {
    ListView_SetItemState(listView, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row >= 0) ListView_SetItemState(listView, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void ShowListViewSortColumn(HWND listView, int column, bool ascending) {
    const HWND header = reinterpret_cast<HWND>(SendMessageW(listView, LVM_GETHEADER, 0, 0));
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == column) item.fmt |= ascending ? HDF_SORTUP : HDF_SORTDOWN;
        SendMessageW(header, HDM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
}

}  // namespace platform
