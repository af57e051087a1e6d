// A top-level window built from a table of controls: it creates them, docks them on every resize, paints the
// windowless ones (labels, bevels, pictures) in their containers and turns control messages into named events.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/BarChart.h"
#include "platform/ControlId.h"
#include "platform/Controls.h"
#include "platform/FontCache.h"
#include "platform/KeptPlacement.h"
#include "platform/Picture.h"
#include "platform/PictureButton.h"
#include "platform/Window.h"

namespace platform {

// Change: an edit's text or a list box's selection changed.
enum class Event { Click, Change, KeyDown, KeyUp, KeyPress, MouseDown, Resize, Show, Timer, Close, HitTest };

struct EventArgs {
    WORD key = 0;        // KeyDown, KeyUp: the virtual key; a handler sets it to 0 to cancel the key
    char character = 0;  // KeyPress: the Windows-1254 character; a handler sets it to 0 to discard it
    bool alt = false, shift = false, ctrl = false;
    bool repeated = false;   // KeyDown: sent by the keyboard's auto-repeat
    UINT mouseMessage = 0;   // MouseDown: WM_LBUTTONDOWN, WM_RBUTTONDBLCLK, ...
    LRESULT hitTest = 0;     // HitTest: the default answer, which a handler may replace
    bool requested = false;  // Close: the program itself closes the window, through Close()
    bool refused = false;    // Close: a handler keeps the window open
};

// What every window built from a table of controls has. Its controls and timers are reached by their place in the
// window's tables; FormOf names them with ids that the compiler checks.
class Form : public Window {
public:
    static constexpr int kItself = geometry::kRoot;  // the event source of the form itself

    // Closes the window as its close box would: the Close event runs, then a modal form ends its loop.
    void Close();
    // The form that a window of the program belongs to, or null.
    static Form* FromHandle(HWND hwnd);
    // Keeps the window shown at these bounds, topmost, whatever another program does to it, until released.
    void KeepPlacement(const RECT& bounds);
    void ReleasePlacement();
    // Sizes the window around a client area of this size and centres it over `over`, or on the screen.
    void CentreClientArea(SIZE client, HWND over = nullptr);
    // Shows the form and runs a nested message loop, with the other windows of the program disabled, until the
    // form closes; the form stays hidden afterwards, ready to be destroyed.
    // `idleStep` does work that can wait until the form is on screen, a short step at a time, so that the form
    // answers its user between steps: it is called whenever the form has been painted and no message
    // waits, until it returns false; steps left when the form closes run before ShowModal returns. An error of
    // a step goes to the application-wide handler and ends the work.
    void ShowModal(const std::function<bool()>& idleStep = {});
    bool IsModal() const { return modal_; }

protected:
    Form() = default;
    // The window goes before the controls' records, which its destruction still reads.
    ~Form() override;
    // Creates the window and its controls; derived forms call it from their constructor. An owned window stays
    // above its owner.
    void Build(const FormSpec& form, std::span<const ControlSpec> controls, std::span<const TimerSpec> timers,
               HWND owner = nullptr);
    // The two halves of Build, for a form that makes its controls only when they are first needed. Until then
    // the window is an empty frame, which stays hidden, and the controls may be neither read nor changed.
    void BuildFrame(const FormSpec& form, std::span<const ControlSpec> controls, std::span<const TimerSpec> timers,
                    HWND owner = nullptr);
    void BuildControls();
    // One step of BuildControls: makes the next control or, once all are made, puts them in tab order and lays
    // them out; returns whether steps remain.
    bool BuildControlsStep();
    bool HasControls() const { return controlsBuilt_; }
    // `source` is a control's place in the table, kItself, or for Event::Timer a timer's place in its table.
    virtual void OnEvent(int source, Event event, EventArgs& args);
    // Sees every message of a windowed control or container first; a result ends the message there.
    virtual std::optional<LRESULT> FilterControlMessage(int, HWND, UINT, WPARAM, LPARAM) { return std::nullopt; }

    HWND HandleAt(int control) const { return control == kItself ? Handle() : controls_[control].hwnd; }
    BarChart& ChartAt(int control);
    geometry::Rect BoundsAt(int control) const { return controls_[control].placed; }  // relative to the container
    bool IsVisibleAt(int control) const { return controls_[control].visible; }
    std::string_view HintAt(int control) const { return controls_[control].spec->hint; }
    std::string TextAt(int control) const;
    void SetTextAt(int control, std::string_view text);
    void SetVisibleAt(int control, bool visible);
    void SetEnabledAt(int control, bool enabled);
    void SetLeftAt(int control, int left);
    void SetWidthAt(int control, int width);

    void SetTimerEnabledAt(int timer, bool enabled);
    bool IsTimerEnabledAt(int timer) const { return timers_[timer].enabled; }
    // Runs the timer with its next tick due after the given time instead of its interval.
    void ScheduleTimerAt(int timer, std::chrono::milliseconds due);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Control {
        const ControlSpec* spec;
        int parent;  // index, or geometry::kRoot
        HWND hwnd = nullptr;
        geometry::Rect bounds;
        geometry::Rect placed;
        bool visible;
        std::string text;
        HFONT font;
        FontSpec fontSpec;
        Color color;
        std::unique_ptr<BarChart> chart;
        std::unique_ptr<ButtonPicture> buttonPicture;
        std::unique_ptr<Picture> picture;
    };
    struct Timer {
        const TimerSpec* spec;
        bool enabled = false;
    };

    int ContainerIndex(std::string_view name) const;
    void CreateControl(int index);
    void SizeLabel(Control& label);
    void Relayout();
    bool ApplyLayout();
    HWND ContainerHandle(int index) const;
    void InvalidateInContainer(const Control& control, const geometry::Rect& area) const;
    void PaintContainer(int index, HDC dc, const RECT& client);
    void PaintGraphicControl(const Control& control, HDC dc);
    void FocusFirstControl();
    void RestoreFocus();
    bool DispatchControlMessage(int index, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool DispatchFormMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool DispatchKey(int source, HWND hwnd, UINT message, WPARAM& wParam, LPARAM lParam);

    static LRESULT CALLBACK ContainerProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR index,
                                             DWORD_PTR form);

    const FormSpec* spec_ = nullptr;
    std::vector<Control> controls_;
    std::vector<Timer> timers_;
    FontCache fonts_;
    std::size_t controlsMade_ = 0;
    bool controlsBuilt_ = false;
    bool layingOut_ = false;
    bool modal_ = false;
    bool closeRequested_ = false;
    KeptPlacement placement_;
    HWND lastFocused_ = nullptr;  // the control to give the focus back to when the window is active again
};

// A window of class `Self` with its controls and timers named by checked ids.
template <class Self>
class FormOf : public Form {
public:
    using Id = ControlId<Self>;
    using Timer = TimerId<Self>;
    static constexpr Id kSelf{kItself};

    HWND ControlHandle(Id control) const { return HandleAt(control.index); }
    BarChart& Chart(Id control) { return ChartAt(control.index); }
    geometry::Rect ControlBounds(Id control) const { return BoundsAt(control.index); }
    bool IsControlVisible(Id control) const { return IsVisibleAt(control.index); }
    std::string_view ControlHint(Id control) const { return HintAt(control.index); }
    std::string ControlText(Id control) const { return TextAt(control.index); }

    void SetControlText(Id control, std::string_view text) { SetTextAt(control.index, text); }
    void SetControlVisible(Id control, bool visible) { SetVisibleAt(control.index, visible); }
    void SetControlEnabled(Id control, bool enabled) { SetEnabledAt(control.index, enabled); }
    void SetControlLeft(Id control, int left) { SetLeftAt(control.index, left); }
    void SetControlWidth(Id control, int width) { SetWidthAt(control.index, width); }

    void SetTimerEnabled(Timer timer, bool enabled) { SetTimerEnabledAt(timer.index, enabled); }
    bool IsTimerEnabled(Timer timer) const { return IsTimerEnabledAt(timer.index); }
    void ScheduleTimer(Timer timer, std::chrono::milliseconds due) { ScheduleTimerAt(timer.index, due); }

protected:
    FormOf() = default;
};

// Routes a form's events to its member handlers through a table of (control or timer, event, handler) rows.
template <class F>
struct EventWiring {
    using Handler = void (F::*)(EventArgs&);
    constexpr EventWiring(ControlId<F> control, Event e, Handler h) : source(control.index), event(e), handler(h) {}
    constexpr EventWiring(TimerId<F> timer, Handler h) : source(timer.index), event(Event::Timer), handler(h) {}

    int source;
    Event event;
    Handler handler;
};

template <class F>
void DispatchEvent(F& form, std::span<const EventWiring<F>> wiring, int source, Event event, EventArgs& args) {
    for (const EventWiring<F>& row : wiring)
        if (row.source == source && row.event == event) (form.*row.handler)(args);
}

}  // namespace platform
