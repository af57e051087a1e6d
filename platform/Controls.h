// A window's controls described as data: one row per control, in creation order.
#pragma once

#include <span>
#include <string_view>

#include "platform/Style.h"
#include "platform/pure/Docking.h"
#include "platform/pure/Scaling.h"

namespace platform {

enum class ControlKind {
    Panel,          // container with an optional one-pixel bevel
    GroupBox,       // container with an etched frame and a caption
    Label,          // text that sizes itself, painted by its container
    Bevel,          // a lowered box frame, painted by its container
    Splitter,       // never shown here; kept so the layout has every control
    Button,         // plain push button
    PictureButton,  // push button with a 32 x 32 picture
    ListBox,
    RichEdit,   // the "RICHEDIT" class of riched32.dll
    StatusBar,  // one panel spanning the bar
    Edit,       // single-line edit
    Picture,    // a picture stretched (or cropped, see options) over its bounds, painted by its container
    Chart,      // the results bar chart
    ListView,   // rows in columns (report view), the window supplying each cell as it is drawn
    ComboBox,   // a drop-down list to choose from, nothing typed
};

namespace options {
inline constexpr unsigned kReadOnly = 1u << 0;
inline constexpr unsigned kWantTabs = 1u << 1;        // Tab is typed into the control, never moves the focus
inline constexpr unsigned kVerticalScroll = 1u << 2;  // a vertical scroll bar while the text does not fit
inline constexpr unsigned kRaisedBevel = 1u << 3;     // panels: a one-pixel raised outer bevel
inline constexpr unsigned kDisabled = 1u << 4;
inline constexpr unsigned kAutomaticDrag = 1u << 5;  // a left press drags the control itself, never reaching its text
// Presses of the other buttons never reach the control (its mouse-down event still runs): no context menu, and no
// pasting with the middle button as X does.
inline constexpr unsigned kLeftButtonOnly = 1u << 6;
// Text areas: the wheel and the arrow, page, Home and End keys scroll the text, without scroll bar or caret.
inline constexpr unsigned kScrollsToRead = 1u << 7;
// Pictures: drawn over the whole of their bounds in their own proportions, cropped at two sides.
inline constexpr unsigned kCoverCropped = 1u << 8;
inline constexpr unsigned kHiddenDigits = 1u << 9;  // edits: digits only, each shown as a dot
// Types only what the program makes of the keyboard's own key presses (platform/KeyTranslator): a character message
// that reaches the control types only when the form's filter lets it through, as it may for a test's.
inline constexpr unsigned kOwnCharacters = 1u << 10;
}  // namespace options

struct ControlSpec {
    std::string_view name = {};
    ControlKind kind = ControlKind::Panel;
    std::string_view parent = {};  // empty: the window itself
    geometry::Rect bounds = {};
    geometry::Dock dock = geometry::Dock::None;
    std::string_view text = {};  // Windows-1254
    FontSpec font = kInheritedFont;
    Color color = {};   // background; inherited from the container when not given
    int tabOrder = -1;  // -1: takes no focus
    bool visible = true;
    unsigned options = 0;
    std::string_view hint = {};        // stored with the control, never shown
    const wchar_t* picture = nullptr;  // resource name of a button's or picture's image
};

struct TimerSpec {
    std::string_view name = {};
    UINT intervalMs = 1000;
};

// The form itself as designed. Every length of a form and its controls is in pixels at 96 dpi; the form lays
// itself out at its monitor's density (see geometry::LayoutDpi).
struct FormSpec {
    const wchar_t* className = nullptr;
    std::string_view caption = {};  // Windows-1254
    geometry::Rect bounds = {};     // outer position and size
    DWORD style = 0;
    DWORD exStyle = 0;
    FontSpec baseFont = {};
    Color color = kButtonFace;
    // The designed pixels the program's largest window, the exam window, needs on its screen (its button bar and
    // caption row across, its bands and a few lines of text down). Every window of the program is laid out at
    // the density at which that fits, so that a dialog matches the window it stands over.
    geometry::Size neededScreen = {700, 500};
};

// A window's tables: the form itself, its controls in creation order and its timers.
struct FormLayout {
    const FormSpec& form;
    std::span<const ControlSpec> controls;
    std::span<const TimerSpec> timers = {};
};

}  // namespace platform
