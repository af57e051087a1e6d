// What a handler holds to work with one control of its form, in the vocabulary of the control's kind: a rich edit
// selects and styles, a list box takes items, a chart takes bars. A view owns nothing and is as cheap as the form
// pointer and index it holds; it is valid as long as its form.
#pragma once

#include <windows.h>

#include <chrono>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/BarChart.h"
#include "platform/Controls.h"
#include "platform/ListBox.h"
#include "platform/ListView.h"
#include "platform/RichEdit.h"

namespace platform {

class Form;

// What every control offers: its window, text, visibility, place and hint.
class ControlView {
public:
    ControlView(Form& form, int index) : form_(&form), index_(index) {}

    HWND Handle() const;
    std::string Text() const;  // Windows-1254
    void SetText(std::string_view text) const;
    bool IsVisible() const;
    void SetVisible(bool visible) const;
    void SetEnabled(bool enabled) const;
    geometry::Rect Bounds() const;  // as laid out, relative to the container
    void SetLeft(int left) const;
    void SetWidth(int width) const;

protected:
    Form* form_;
    int index_;
};

// Positions count characters, a line break counting two.
class RichEditView : public ControlView {
public:
    using ControlView::ControlView;

    int TextLength() const { return RichEditTextLength(Handle()); }
    int LineCount() const { return RichEditLineCount(Handle()); }
    bool LoadRtf(std::string_view rtf) const { return LoadRichEditRtf(Handle(), rtf); }
    void Select(int start, int length) const { SelectRichEditRange(Handle(), start, length); }
    void Replace(int start, int length, std::string_view text) const {
        ReplaceRichEditRange(Handle(), start, length, text);
    }
    RichEditRange Selection() const { return RichEditSelection(Handle()); }
    int SelectionStart() const { return RichEditSelectionStart(Handle()); }
    int SelectionLength() const { return RichEditSelectionLength(Handle()); }
    void StyleSelection(TextStyle style) const { SetRichEditSelectionStyle(Handle(), style); }
    void SetReadOnly(bool readOnly) const { SetRichEditReadOnly(Handle(), readOnly); }
    // Lines no wider than `pixels`, in a column centred in the control.
    void LimitLineWidth(int pixels) const { LimitRichEditLineWidth(Handle(), pixels); }
    void ClearUndo() const { ClearRichEditUndo(Handle()); }
};

class ListBoxView : public ControlView {
public:
    using ControlView::ControlView;

    int Count() const { return ListBoxCount(Handle()); }
    // Keeps the first `keep` items and appends the given ones after them, drawing once at the end.
    void ReplaceItems(std::size_t keep, std::span<const std::string> appended) const {
        ReplaceListBoxItems(Handle(), keep, appended);
    }
    void SetItems(std::span<const std::string> items) const { ReplaceItems(0, items); }
};

// The rows stay the window's: the control asks them for a cell whenever it draws one, until the window gives others.
class ListViewView : public ControlView {
public:
    using ControlView::ControlView;

    void SetColumns(std::span<const ListColumn> columns) const;
    void SetRows(const ListRows* rows) const;
    // The rows changed: `count` of them are drawn anew.
    void SetRowCount(int count) const { SetListViewRowCount(Handle(), count); }
    int SelectedRow() const { return SelectedListViewRow(Handle()); }
    void SelectRow(int row) const { SelectListViewRow(Handle(), row); }
    void ShowSortColumn(int column, bool ascending) const { ShowListViewSortColumn(Handle(), column, ascending); }
};

// Items are UTF-16: a printer's name may have letters that Windows-1254 lacks.
class ComboBoxView : public ControlView {
public:
    using ControlView::ControlView;

    void SetItems(std::span<const std::wstring> items) const;
    int Selected() const;  // -1: none
    void Select(int item) const;
};

class ChartView : public ControlView {
public:
    using ControlView::ControlView;

    BarChart& Chart() const;
    void Clear() const { Chart().Clear(); }
    void Add(std::string label, int value, COLORREF colour) const { Chart().Add(std::move(label), value, colour); }
};

class TimerView {
public:
    TimerView(Form& form, int index) : form_(&form), index_(index) {}

    bool IsEnabled() const;
    void SetEnabled(bool enabled) const;
    // Runs the timer with its next tick due after the given time instead of its interval.
    void Schedule(std::chrono::milliseconds due) const;

private:
    Form* form_;
    int index_;
};

template <ControlKind>
struct ViewOfKind {
    using Type = ControlView;
};
template <>
struct ViewOfKind<ControlKind::RichEdit> {
    using Type = RichEditView;
};
template <>
struct ViewOfKind<ControlKind::ListBox> {
    using Type = ListBoxView;
};
template <>
struct ViewOfKind<ControlKind::ListView> {
    using Type = ListViewView;
};
template <>
struct ViewOfKind<ControlKind::ComboBox> {
    using Type = ComboBoxView;
};
template <>
struct ViewOfKind<ControlKind::Chart> {
    using Type = ChartView;
};

}  // namespace platform
