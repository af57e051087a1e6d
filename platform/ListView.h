// A list view in report view whose rows the window keeps itself: the control asks for the text of a cell only when
// it draws it, so that ten thousand rows cost no more to show than the few on screen.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

struct ListColumn {
    std::string_view title;  // Windows-1254
    int width = 80;          // at 96 dpi
    bool numeric = false;    // right-aligned
};

// Where a list view's cells come from. Rows and columns count from 0.
class ListRows {
public:
    virtual ~ListRows() = default;
    virtual std::wstring CellText(int row, int column) const = 0;
    // The row's text colour, when it is not the control's own.
    virtual std::optional<COLORREF> RowColour(int /*row*/) const { return std::nullopt; }
};

void SetListViewColumns(HWND listView, std::span<const ListColumn> columns, int dpi);
// The control draws `count` rows anew, keeping its scroll position and the selected row's place.
void SetListViewRowCount(HWND listView, int count);
// The row with the focus and the selection, or -1.
int SelectedListViewRow(HWND listView);
// Selects the row and gives it the focus, or, for -1, leaves none selected.
void SelectListViewRow(HWND listView, int row);
// An arrow in the column's header; -1 shows none.
void ShowListViewSortColumn(HWND listView, int column, bool ascending);

}  // namespace platform
