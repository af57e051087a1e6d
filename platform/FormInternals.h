// What the parts of Form share: control ids, timer ids, the record of each control and the behaviour of each kind.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/BarChart.h"
#include "platform/Controls.h"
#include "platform/Event.h"
#include "platform/FontCache.h"
#include "platform/ListView.h"
#include "platform/Picture.h"
#include "platform/PictureButton.h"

namespace platform {
class Form;
}

namespace platform::form_internals {

inline constexpr int kFirstControlId = 1000;
inline constexpr UINT_PTR kFirstTimerId = 1;
inline constexpr wchar_t kContainerClass[] = L"PC1Container";

// One control of a form as it stands: its row of the table and what the form made of it.
struct ControlRecord {
    const ControlSpec* spec;
    int parent;  // index, or geometry::kRoot
    HWND hwnd = nullptr;
    // A control that takes input: its form, whose procedure comes first, and the control's own, to which the form's
    // passes on what it does not keep.
    Form* form = nullptr;
    WNDPROC ownProcedure = nullptr;
    geometry::Rect bounds;
    geometry::Rect placed;
    bool visible;
    std::string text;
    HFONT font = nullptr;
    FontSpec fontSpec;
    Color color;
    int dpi = geometry::kDesignDpi;  // the form's layout density, to which `bounds` and `font` are scaled
    std::unique_ptr<BarChart> chart = nullptr;
    std::unique_ptr<ButtonPicture> buttonPicture = nullptr;
    std::unique_ptr<Picture> picture = nullptr;
    const ListRows* rows = nullptr;  // a list view's, once the window gives them
    std::span<const ListColumn> columns = {};
};

// What one kind of control does differently from the others; a new kind is one more class in ControlKinds.cpp.
class ControlKindBehaviour {
public:
    virtual ~ControlKindBehaviour() = default;

    // Makes what the control is: its window, picture or chart. `id` is the window's control id.
    virtual void Make(ControlRecord& control, HWND container, int id) const = 0;
    virtual bool IsContainer() const { return false; }
    // Painted by its container, with no window of its own.
    virtual bool IsWindowless() const { return false; }
    // Whether the form sees the control's keys and mouse presses.
    virtual bool TakesInput() const { return false; }
    // Pictures cover what lies under them, so their container paints no background there.
    virtual bool IsOpaque() const { return false; }
    // The event that a WM_COMMAND notification of the control is, if any.
    virtual std::optional<Event> EventOf(WORD /*notification*/) const { return std::nullopt; }
    // Answers a WM_NOTIFY of the control in `result`; the event it is, if any, with its arguments.
    virtual std::optional<Event> Notified(const ControlRecord&, const NMHDR&, EventArgs&, LRESULT& /*result*/) const {
        return std::nullopt;
    }
    virtual std::string Text(const ControlRecord& control) const;
    // The record's text is already the new one; a windowless control only has to take its size from it.
    virtual void ShowText(ControlRecord& control) const;
    // Windowless controls draw themselves at `area` in their container's client area; containers draw their frame.
    virtual void Paint(const ControlRecord&, HDC, const RECT& /*area*/) const {}
    // Puts a typed character into the control itself; false leaves it to the control's own window procedure.
    virtual bool Type(HWND, wchar_t) const { return false; }
    // As designed, at 96 dpi.
    virtual geometry::Insets ClientInsets(const ControlSpec&) const { return {}; }
    // The form's density changed: the record's bounds and font are already the new ones.
    virtual void Rescale(ControlRecord& control) const;
};

const ControlKindBehaviour& BehaviourOf(ControlKind kind);

}  // namespace platform::form_internals
