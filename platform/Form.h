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
#include "platform/Controls.h"
#include "platform/FontCache.h"
#include "platform/KeptPlacement.h"
#include "platform/Picture.h"
#include "platform/PictureButton.h"
#include "platform/Window.h"

namespace platform {

enum class Event { Click, Change, KeyDown, KeyUp, KeyPress, MouseDown, Resize, Show, Timer, Close, HitTest };

struct EventArgs {
    WORD key = 0;         // KeyDown, KeyUp: the virtual key; a handler sets it to 0 to cancel the key
    char character = 0;   // KeyPress: the Windows-1254 character; a handler sets it to 0 to discard it
    bool alt = false, shift = false, ctrl = false;
    bool repeated = false;  // KeyDown: sent by the keyboard's auto-repeat
    UINT mouseMessage = 0;  // MouseDown: WM_LBUTTONDOWN, WM_RBUTTONDBLCLK, ...
    LRESULT hitTest = 0;    // HitTest: the default answer, which a handler may replace
    bool requested = false;  // Close: the program itself closes the window, through Close()
    bool refused = false;    // Close: a handler keeps the window open
};

class Form : public Window {
public:
    static constexpr std::string_view kSelf = "";  // the event source name of the form itself

    HWND ControlHandle(std::string_view name) const;
    BarChart& Chart(std::string_view name);
    geometry::Rect ControlBounds(std::string_view name) const;  // relative to the container
    bool IsControlVisible(std::string_view name) const;
    std::string_view ControlHint(std::string_view name) const;
    std::string ControlText(std::string_view name) const;

    void SetControlText(std::string_view name, std::string_view text);
    void SetControlVisible(std::string_view name, bool visible);
    void SetControlEnabled(std::string_view name, bool enabled);
    void SetControlLeft(std::string_view name, int left);
    void SetControlWidth(std::string_view name, int width);

    void SetTimerEnabled(std::string_view name, bool enabled);
    bool IsTimerEnabled(std::string_view name) const;
    // Runs the timer with its next tick due after the given time instead of its interval.
    void ScheduleTimer(std::string_view name, std::chrono::milliseconds due);

    // Closes the window as its close box would: the Close event runs, then a modal form ends its loop.
    void Close();
    // The form that a window of the program belongs to, or null.
    static Form* FromHandle(HWND hwnd);
    // Keeps the window shown at these bounds, topmost, whatever another program does to it, until released.
    void KeepPlacement(const RECT& bounds);
    void ReleasePlacement();
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
    virtual void OnEvent(std::string_view source, Event event, EventArgs& args);
    // Sees every message of a windowed control first; a result ends the message there, unseen by the control.
    virtual std::optional<LRESULT> FilterControlMessage(std::string_view, HWND, UINT, WPARAM, LPARAM) {
        return std::nullopt;
    }
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

    int IndexOf(std::string_view name) const;
    std::size_t TimerIndex(std::string_view name) const;
    Control& At(std::string_view name) { return controls_[IndexOf(name)]; }
    const Control& At(std::string_view name) const { return controls_[IndexOf(name)]; }
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
    bool DispatchKey(std::string_view source, HWND hwnd, UINT message, WPARAM& wParam, LPARAM lParam);

    static LRESULT CALLBACK ContainerProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR index, DWORD_PTR form);

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

// Routes a form's events to its member handlers through a table of (control, event, handler) rows.
template <class F>
struct EventWiring {
    std::string_view source;
    Event event;
    void (F::*handler)(EventArgs&);
};

template <class F>
void DispatchEvent(F& form, std::span<const EventWiring<F>> wiring, std::string_view source, Event event,
                   EventArgs& args) {
    for (const EventWiring<F>& row : wiring)
        if (row.source == source && row.event == event) (form.*row.handler)(args);
}

}  // namespace platform
