// Where a form stands: laid out at the density of its monitor, fitted again when the screens change, centred over
// its owner, and kept in place against other programs.
#include "platform/Form.h"

#include <algorithm>

#include "platform/FormInternals.h"

namespace platform {

using namespace form_internals;

RECT Form::PrimaryMonitorBounds() {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcMonitor;
}

// Every length of the table is scaled again from its designed value; the handlers that set lengths of their own
// set them again on the Resize event that follows.
void Form::FitToMonitor(int monitorDpi) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &info);
    const geometry::Size pixels{info.rcMonitor.right - info.rcMonitor.left, info.rcMonitor.bottom - info.rcMonitor.top};
    const int dpi = geometry::LayoutDpi(monitorDpi, pixels, spec_->neededScreen);
    if (dpi == dpi_) return;
    dpi_ = dpi;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        ControlRecord& control = controls_[i];
        control.dpi = dpi;
        control.bounds = geometry::Scaled(control.spec->bounds, dpi);
        control.font = fonts_.Get(control.fontSpec, dpi);
        if (i < controlsMade_) BehaviourOf(control.spec->kind).Rescale(control);
    }
    EventArgs args;
    OnEvent(kItself, Event::Resize, args);
    Relayout();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form::FitToScreens() {
    FitToMonitor(static_cast<int>(GetDpiForWindow(Handle())));
    Refit();
    struct Owned {
        HWND owner;
        std::vector<Form*> forms;
    } owned{Handle(), {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM list) {
            auto& found = *reinterpret_cast<Owned*>(list);
            if (Form* form = FromHandle(hwnd); form && GetWindow(hwnd, GW_OWNER) == found.owner)
                found.forms.push_back(form);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&owned));
    for (Form* form : owned.forms) form->FitToScreens();
}

void Form::Refit() {
    if (centring_) CentreClientArea(centring_->client, centring_->over);
}

void Form::KeepPlacement(const RECT& bounds) { placement_.Keep(Handle(), bounds); }

void Form::ReleasePlacement() { placement_.Release(); }

void Form::CentreClientArea(SIZE client, HWND over) {
    centring_ = Centring{client, over};
    RECT frame{0, 0, WidthForText(geometry::Scaled(client.cx, dpi_)), geometry::Scaled(client.cy, dpi_)};
    AdjustWindowRectExForDpi(&frame, GetWindowLongW(Handle(), GWL_STYLE), FALSE, GetWindowLongW(Handle(), GWL_EXSTYLE),
                             GetDpiForWindow(Handle()));
    RECT area = PrimaryMonitorBounds();
    if (over) GetWindowRect(over, &area);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(Handle(), nullptr, (area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2, width,
                 height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The faces that stand in for the designed fonts may be wider than they: when a line of text would reach past the
// client area, the area grows to hold it with the margin its left side keeps.
int Form::WidthForText(int width) const {
    int margin = width, right = 0;
    for (const ControlRecord& c : controls_) {
        if (c.parent != geometry::kRoot || !c.visible) continue;
        margin = std::min(margin, c.placed.left);
        if (c.spec->kind == ControlKind::Label) right = std::max(right, c.placed.Right());
    }
    return right > width ? right + margin : width;
}

}  // namespace platform
