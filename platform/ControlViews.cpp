#include "platform/ControlViews.h"

#include "platform/Form.h"

namespace platform {

HWND ControlView::Handle() const { return form_->HandleAt(index_); }
std::string ControlView::Text() const { return form_->TextAt(index_); }
void ControlView::SetText(std::string_view text) const { form_->SetTextAt(index_, text); }
bool ControlView::IsVisible() const { return form_->IsVisibleAt(index_); }
void ControlView::SetVisible(bool visible) const { form_->SetVisibleAt(index_, visible); }
void ControlView::SetEnabled(bool enabled) const { form_->SetEnabledAt(index_, enabled); }
geometry::Rect ControlView::Bounds() const { return form_->BoundsAt(index_); }
void ControlView::SetLeft(int left) const { form_->SetLeftAt(index_, left); }
void ControlView::SetWidth(int width) const { form_->SetWidthAt(index_, width); }

void ListViewView::SetColumns(std::span<const ListColumn> columns) const { form_->SetListColumnsAt(index_, columns); }
void ListViewView::SetRows(const ListRows* rows) const { form_->SetListRowsAt(index_, rows); }

BarChart& ChartView::Chart() const { return form_->ChartAt(index_); }

void ComboBoxView::SetItems(std::span<const std::wstring> items) const {
    SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items)
        SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int ComboBoxView::Selected() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

void ComboBoxView::Select(int item) const { SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(item), 0); }

bool TimerView::IsEnabled() const { return form_->IsTimerEnabledAt(index_); }
void TimerView::SetEnabled(bool enabled) const { form_->SetTimerEnabledAt(index_, enabled); }
void TimerView::Schedule(std::chrono::milliseconds due) const { form_->ScheduleTimerAt(index_, due); }

}  // namespace platform
