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

#include "platform/ControlId.h"
#include "platform/ControlViews.h"
#include "platform/Controls.h"
#include "platform/Event.h"
#include "platform/FontCache.h"
#include "platform/KeptPlacement.h"
#include "platform/KeyTranslator.h"
#include "platform/TimerThread.h"
#include "platform/Window.h"

namespace platform::form_internals {
struct ControlRecord;
}

namespace platform {

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
    // Sizes the window around a client area of this designed size and centres it over `over`, or on the primary
    // monitor; again whenever the screens change.
    void CentreClientArea(SIZE client, HWND over = nullptr);
    // The density the form is laid out at: its monitor's, lowered on a screen too small for it.
    int Dpi() const { return dpi_; }
    // The rectangle of the primary monitor, where the program's windows stand.
    static RECT PrimaryMonitorBounds();
    // Shows the form and runs a nested message loop, with the other windows of the program disabled, until the
    // form closes; the form stays hidden afterwards, ready to be destroyed.
    // `idleStep` does work that can wait until the form is on screen, a short step at a time, so that the form
    // answers its user between steps: it is called whenever the form has been painted and no message
    // waits, until it returns false; steps left when the form closes run before ShowModal returns. An error of
    // a step goes to the application-wide handler and ends the work.
    void ShowModal(const std::function<bool()>& idleStep = {});
    bool IsModal() const { return modal_; }

    // A control or timer by its place in the form's tables, for the views (platform/ControlViews.h); a window names
    // its own with the checked ids of FormOf.
    HWND HandleAt(int control) const;
    geometry::Rect BoundsAt(int control) const;  // as laid out, relative to the container
    bool IsVisibleAt(int control) const;
    std::string TextAt(int control) const;
    void SetTextAt(int control, std::string_view text);
    void SetVisibleAt(int control, bool visible);
    void SetEnabledAt(int control, bool enabled);
    void SetLeftAt(int control, int left);
    void SetWidthAt(int control, int width);
    BarChart& ChartAt(int control);
    void SetListColumnsAt(int control, std::span<const ListColumn> columns);
    void SetListRowsAt(int control, const ListRows* rows);
    bool IsTimerEnabledAt(int timer) const { return timers_[timer].enabled; }
    void SetTimerEnabledAt(int timer, bool enabled);
    void ScheduleTimerAt(int timer, std::chrono::milliseconds due);

protected:
    Form();
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
    // Takes back every control that another program took away into a window of its own, or made again where it
    // was destroyed there (Event::Recreated tells the handlers). A control taken away is taken back the moment it
    // moves; this finds one whose new window went before that.
    void KeepControls();
    // `source` is a control's place in the table, kItself, or for Event::Timer a timer's place in its table.
    virtual void OnEvent(int source, Event event, EventArgs& args);
    // Sees every message of a windowed control or container first; a result ends the message there.
    virtual std::optional<LRESULT> FilterControlMessage(int, HWND, UINT, WPARAM, LPARAM) { return std::nullopt; }

    bool IsControlTakingInput(HWND hwnd) const;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Paints now whatever waits to be painted, the controls included.
    void PaintNow() const;
    // The screens changed (a resolution, a monitor plugged or unplugged, a scaling); the form's density and layout
    // already follow. A centred form centres itself again; others put themselves where they belong.
    virtual void Refit();

private:
    TimerThread& StartedTimerThread();

    struct Timer {
        const TimerSpec* spec;
        bool enabled = false;
    };

    int ContainerIndex(std::string_view name) const;
    void CreateControl(int index);
    // Lays the form out at the density that suits its monitor, whose own is `monitorDpi`.
    void FitToMonitor(int monitorDpi);
    // After a change of the screens: the form, then the forms it owns.
    void FitToScreens();
    void Relayout();
    bool ApplyLayout();
    HWND ContainerHandle(int index) const;
    int WidthForText(int width) const;
    void InvalidateInContainer(const form_internals::ControlRecord& control, const geometry::Rect& area) const;
    void PaintContainer(int index, HDC dc, const RECT& client);
    void FocusFirstControl();
    void RestoreFocus();
    bool DispatchControlMessage(int index, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool DispatchFormMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool DispatchKey(int source, HWND hwnd, UINT message, WPARAM& wParam, LPARAM lParam);
    // A key of a control that makes its own characters: the key's events, the control's own handling of it, and the
    // characters it makes, each as a key press.
    LRESULT DispatchOwnKey(int source, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void TypeMade(int source, HWND hwnd, std::wstring_view made, LPARAM lParam);
    LRESULT DispatchDialogKey(int source, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void PutInTabOrder();
    // Another program took the control into a window of its own: it comes back to its place at once, or, when it
    // was destroyed there, is made again.
    void TakeBack(int index);
    // Posted by TakeBack: the focus, which the move takes from the control after the control has heard of it, comes
    // back once the move is over.
    static constexpr UINT kRefocusMessage = WM_APP + 0x3F2;
    void Recreate(int index);
    void PlaceAsLaidOut(const form_internals::ControlRecord& control);

    static LRESULT CALLBACK ContainerProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The control's own procedure, behind the form's.
    LRESULT PassOn(int index, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const;

    const FormSpec* spec_ = nullptr;
    std::vector<form_internals::ControlRecord> controls_;
    std::vector<Timer> timers_;
    FontCache fonts_;
    std::size_t controlsMade_ = 0;
    bool controlsBuilt_ = false;
    bool layingOut_ = false;
    bool modal_ = false;
    bool closeRequested_ = false;
    KeptPlacement placement_;
    int dpi_ = geometry::kDesignDpi;
    struct Centring {
        SIZE client;
        HWND over;
    };
    std::optional<Centring> centring_;
    HWND lastFocused_ = nullptr;  // the control to give the focus back to when the window is active again
    KeyTranslator keys_;
    std::optional<TimerThread> timerThread_;  // made with the first timer set
};

// A row of a form's table of wiring: which control's or timer's event goes to which member handler.
template <class F>
struct EventWiring {
    using Handler = void (F::*)(EventArgs&);
    template <ControlKind Kind>
    constexpr EventWiring(ControlId<F, Kind> control, Event e, Handler h)
        : source(control.index), event(e), handler(h) {}
    constexpr EventWiring(TimerId<F> timer, Handler h) : source(timer.index), event(Event::Timer), handler(h) {}

    int source;
    Event event;
    Handler handler;
};

// A window of class `Self` built from its layout, with its controls and timers named by checked ids, and its events
// routed by its table of wiring.
template <class Self>
class FormOf : public Form {
public:
    using Id = AnyControlId<Self>;
    static constexpr ControlId<Self, ControlKind::Panel> kSelf{kItself};

    // A view is a handle on the control, like its window handle: a const form still gives one.
    template <ControlKind Kind>
    typename ViewOfKind<Kind>::Type Control(ControlId<Self, Kind> control) const {
        return {Mutable(), control.index};
    }
    ControlView Control(Id control) const { return {Mutable(), control.index}; }
    TimerView Timer(TimerId<Self> timer) const { return {Mutable(), timer.index}; }

protected:
    FormOf(std::span<const EventWiring<Self>> wiring, const FormLayout& layout) : wiring_(wiring), layout_(layout) {}
    // Creates the window and its controls from the layout; an owned window stays above its owner.
    void Build(HWND owner = nullptr) { Form::Build(layout_.form, layout_.controls, layout_.timers, owner); }
    // The window alone; its controls follow with BuildControls or BuildControlsStep.
    void BuildFrame(HWND owner = nullptr) { Form::BuildFrame(layout_.form, layout_.controls, layout_.timers, owner); }
    void OnEvent(int source, Event event, EventArgs& args) override {
        for (const EventWiring<Self>& row : wiring_)
            if (row.source == source && row.event == event) (static_cast<Self&>(*this).*row.handler)(args);
    }

private:
    Form& Mutable() const { return const_cast<FormOf&>(*this); }

    std::span<const EventWiring<Self>> wiring_;
    FormLayout layout_;
};

}  // namespace platform
