// Each kind of control: how it is made, what its text is, how it is painted and which notifications are its events.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include "platform/Cp1254.h"
#include "platform/FormInternals.h"
#include "platform/Gdi.h"
#include "platform/RichEdit.h"
#include "platform/SystemReason.h"
#include "platform/Window.h"

namespace platform::form_internals {

std::string ControlKindBehaviour::Text(const ControlRecord& control) const {
    return control.hwnd ? NarrowCp1254(WindowText(control.hwnd)) : control.text;
}

void ControlKindBehaviour::ShowText(ControlRecord& control) const {
    if (control.hwnd) SetWindowTextW(control.hwnd, WidenCp1254(control.text).c_str());
}

void ControlKindBehaviour::Rescale(ControlRecord&) const {}

namespace {

// A control that is a window of its own class.
class WindowedKind : public ControlKindBehaviour {
public:
    constexpr WindowedKind(const wchar_t* className, DWORD style, DWORD exStyle)
        : className_(className), style_(style), exStyle_(exStyle) {}

    void Make(ControlRecord& control, HWND container, int id) const override {
        const ControlSpec& spec = *control.spec;
        DWORD style =
            WS_CHILD | WS_CLIPSIBLINGS | style_ | OptionStyle(spec.options) | (control.visible ? WS_VISIBLE : 0);
        if (spec.tabOrder >= 0 && !IsContainer()) style |= WS_TABSTOP;
        if (spec.options & options::kDisabled) style |= WS_DISABLED;
        const geometry::Rect& r = control.bounds;
        control.hwnd = CreateWindowExW(exStyle_, className_, WidenCp1254(control.text).c_str(), style, r.left, r.top,
                                       r.width, r.height, container, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                       GetModuleHandleW(nullptr), nullptr);
        if (!control.hwnd) ThrowLastError("a control cannot be created");
        if (!IsContainer()) SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(control.font), FALSE);
        Configure(control);
    }
    bool TakesInput() const override { return !IsContainer(); }
    void Rescale(ControlRecord& control) const override {
        if (!IsContainer()) SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(control.font), TRUE);
    }

protected:
    virtual DWORD OptionStyle(unsigned) const { return 0; }
    virtual void Configure(ControlRecord&) const {}

private:
    const wchar_t* className_;
    DWORD style_;
    DWORD exStyle_;
};

// A group box keeps room for its caption line (13 pixels at 96 dpi) and its etched frame, whatever face the
// font mapper substitutes for the caption's font.
constexpr geometry::Insets kGroupBoxInsets{2, 15, 2, 2};
constexpr int kGroupCaptionLeft = 8;
constexpr geometry::Insets kBevelInsets{1, 1, 1, 1};

class PanelKind : public WindowedKind {
public:
    constexpr PanelKind() : WindowedKind(kContainerClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT) {}
    bool IsContainer() const override { return true; }
    geometry::Insets ClientInsets(const ControlSpec& spec) const override {
        return (spec.options & options::kRaisedBevel) ? kBevelInsets : geometry::Insets{};
    }
    void Paint(const ControlRecord& panel, HDC dc, const RECT& client) const override {
        RECT frame = client;
        if (panel.spec->options & options::kRaisedBevel) DrawEdge(dc, &frame, BDR_RAISEDOUTER, BF_RECT);
    }
};

class GroupBoxKind : public PanelKind {
public:
    geometry::Insets ClientInsets(const ControlSpec&) const override { return kGroupBoxInsets; }
    void Paint(const ControlRecord& group, HDC dc, const RECT& client) const override {
        RECT frame = client;
        frame.top += MeasureOnScreen(group.font).lineHeight / 2;
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
        if (group.text.empty()) return;
        SelectedObject font(dc, group.font);
        SetBkColor(dc, group.color.Resolve());
        SetTextColor(dc, group.fontSpec.color.Resolve());
        const std::wstring caption = WidenCp1254(group.text);
        TextOutW(dc, geometry::Scaled(kGroupCaptionLeft, group.dpi), 0, caption.c_str(),
                 static_cast<int>(caption.size()));
    }
};

class ButtonKind : public WindowedKind {
public:
    constexpr ButtonKind() : WindowedKind(L"BUTTON", BS_PUSHBUTTON, 0) {}
    std::optional<Event> EventOf(WORD notification) const override {
        return notification == BN_CLICKED ? std::optional(Event::Click) : std::nullopt;
    }

protected:
    constexpr ButtonKind(DWORD style) : WindowedKind(L"BUTTON", style, 0) {}
};

// Drawn by the form on WM_DRAWITEM.
class PictureButtonKind : public ButtonKind {
public:
    constexpr PictureButtonKind() : ButtonKind(BS_OWNERDRAW) {}
    void Make(ControlRecord& control, HWND container, int id) const override {
        MakePicture(control);
        ButtonKind::Make(control, container, id);
    }
    void Rescale(ControlRecord& control) const override {
        MakePicture(control);
        ButtonKind::Rescale(control);
    }

private:
    static void MakePicture(ControlRecord& control) {
        control.buttonPicture =
            std::make_unique<ButtonPicture>(ButtonPicture::FromBitmapResource(control.spec->picture, control.dpi));
    }
};

class ListBoxKind : public WindowedKind {
public:
    constexpr ListBoxKind()
        : WindowedKind(L"LISTBOX", WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE) {}
    std::optional<Event> EventOf(WORD notification) const override {
        return notification == LBN_SELCHANGE ? std::optional(Event::Change) : std::nullopt;
    }

protected:
    void Configure(ControlRecord& control) const override {
        SendMessageW(control.hwnd, LB_SETITEMHEIGHT, 0, geometry::Scaled(kItemHeight, control.dpi));
    }
    void Rescale(ControlRecord& control) const override {
        WindowedKind::Rescale(control);
        Configure(control);
    }

private:
    static constexpr int kItemHeight = 13;
};

DWORD ReadOnlyStyle(unsigned options) { return (options & options::kReadOnly) ? DWORD{ES_READONLY} : 0; }

class EditKind : public WindowedKind {
public:
    constexpr EditKind() : WindowedKind(L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE) {}
    std::optional<Event> EventOf(WORD notification) const override {
        return notification == EN_CHANGE ? std::optional(Event::Change) : std::nullopt;
    }

protected:
    DWORD OptionStyle(unsigned options) const override {
        return ReadOnlyStyle(options) | ((options & options::kHiddenDigits) ? DWORD{ES_PASSWORD | ES_NUMBER} : 0);
    }
};

// Its bounds' height is that of the list dropped down; the closed box takes its font's height.
class ComboBoxKind : public WindowedKind {
public:
    constexpr ComboBoxKind() : WindowedKind(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0) {}
    std::optional<Event> EventOf(WORD notification) const override {
        return notification == CBN_SELCHANGE ? std::optional(Event::Change) : std::nullopt;
    }
};

// The control's default limit of 32,767 characters would silently cut a long sample text and stop the typing.
constexpr LPARAM kRichEditTextLimit = 0x7FFFFFFE;

// The "RICHEDIT" class of riched32.dll.
class RichEditKind : public WindowedKind {
public:
    constexpr RichEditKind()
        : WindowedKind(L"RICHEDIT", ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL, WS_EX_CLIENTEDGE) {}
    void Make(ControlRecord& control, HWND container, int id) const override {
        static const HMODULE library = LoadLibraryW(L"riched32.dll");
        if (!library) ThrowLastError("riched32.dll cannot be loaded");
        WindowedKind::Make(control, container, id);
    }
    std::string Text(const ControlRecord& control) const override { return RichEditText(control.hwnd); }
    void ShowText(ControlRecord& control) const override { SetRichEditText(control.hwnd, control.text); }
    bool Type(HWND edit, wchar_t character) const override {
        // The class's window is an ANSI one: passed on, a letter would go through the machine's code page and come
        // out as another letter, or none, where that code page is not Turkish.
        if (character < 0x80 || !IsWindowUnicode(edit)) return false;
        TypeIntoRichEdit(edit, character);
        return true;
    }

protected:
    DWORD OptionStyle(unsigned options) const override {
        return ReadOnlyStyle(options) | ((options & options::kVerticalScroll) ? DWORD{WS_VSCROLL} : 0);
    }
    void Configure(ControlRecord& control) const override {
        const HWND edit = control.hwnd;
        SendMessageW(edit, EM_EXLIMITTEXT, 0, kRichEditTextLimit);
        SendMessageW(edit, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(control.color.Resolve()));
        // The control's own default is a bold system font under some versions; state every attribute.
        CHARFORMATW format{};
        format.cbSize = sizeof format;
        format.dwMask =
            CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR | CFM_CHARSET;
        format.dwEffects = control.fontSpec.bold ? CFE_BOLD : 0;
        format.yHeight = HeightInTwips(control);
        format.crTextColor = control.fontSpec.color.Resolve();
        format.bCharSet = TURKISH_CHARSET;
        lstrcpynW(format.szFaceName, control.fontSpec.face, LF_FACESIZE);
        SendMessageW(edit, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
        SendMessageW(edit, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    }
    // Only the size changes: the underlines of the wrong words stay.
    void Rescale(ControlRecord& control) const override {
        CHARFORMATW format{};
        format.cbSize = sizeof format;
        format.dwMask = CFM_SIZE;
        format.yHeight = HeightInTwips(control);
        SendMessageW(control.hwnd, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
        SendMessageW(control.hwnd, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    }

private:
    // The control turns twips into pixels at the screen's density, which need not be the form's.
    static LONG HeightInTwips(const ControlRecord& control) {
        return MulDiv(-geometry::Scaled(control.fontSpec.height, control.dpi), 1440, ScreenCapability(LOGPIXELSY));
    }
};

// One panel spanning the bar, in the platform's own status-bar font.
class StatusBarKind : public WindowedKind {
public:
    constexpr StatusBarKind() : WindowedKind(STATUSCLASSNAMEW, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0) {}
    std::string Text(const ControlRecord& control) const override { return control.text; }
    void ShowText(ControlRecord& control) const override {
        SendMessageW(control.hwnd, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(WidenCp1254(control.text).c_str()));
    }
    void Rescale(ControlRecord&) const override {}  // keeps the platform's font

protected:
    void Configure(ControlRecord& control) const override {
        int wholeWidth = -1;
        SendMessageW(control.hwnd, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&wholeWidth));
        SendMessageW(control.hwnd, SB_SETBKCOLOR, 0, static_cast<LPARAM>(control.color.Resolve()));
        SendMessageW(control.hwnd, WM_SETFONT, 0, FALSE);
    }
};

// Report view, one row selected at a time, every cell asked of the window's rows as it is drawn.
class ListViewKind : public WindowedKind {
public:
    constexpr ListViewKind()
        : WindowedKind(WC_LISTVIEWW, LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE) {
    }
    std::string Text(const ControlRecord& control) const override { return control.text; }
    void ShowText(ControlRecord&) const override {}
    std::optional<Event> Notified(const ControlRecord& control, const NMHDR& header, EventArgs& args,
                                  LRESULT& result) const override {
        switch (header.code) {
        case LVN_GETDISPINFOW: {
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header)).item;
            if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
                const std::wstring text = control.rows ? control.rows->CellText(item.iItem, item.iSubItem) : L"";
                lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
            }
            return std::nullopt;
        }
        case NM_CUSTOMDRAW: {
            auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(const_cast<NMHDR&>(header));
            result = CDRF_DODEFAULT;
            if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) result = CDRF_NOTIFYITEMDRAW;
            if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && control.rows)
                if (const auto colour = control.rows->RowColour(static_cast<int>(draw.nmcd.dwItemSpec))) {
                    draw.clrText = *colour;
                    result = CDRF_NEWFONT;
                }
            return std::nullopt;
        }
        case LVN_COLUMNCLICK:
            args.item = reinterpret_cast<const NMLISTVIEW&>(header).iSubItem;
            return Event::ColumnClick;
        case LVN_ITEMACTIVATE:
            args.item = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
            return Event::Open;
        default:
            return std::nullopt;
        }
    }

protected:
    void Configure(ControlRecord& control) const override {
        constexpr DWORD kExtended = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP;
        SendMessageW(control.hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, kExtended, kExtended);
        SetListViewColumns(control.hwnd, control.columns, control.dpi);  // again for a list view made anew
    }
    void Rescale(ControlRecord& control) const override {
        WindowedKind::Rescale(control);
        SetListViewColumns(control.hwnd, control.columns, control.dpi);
    }
};

class ChartKind : public ControlKindBehaviour {
public:
    void Make(ControlRecord& control, HWND container, int) const override {
        control.chart = std::make_unique<BarChart>(container, control.bounds);
        control.hwnd = control.chart->Handle();
        control.chart->SetDpi(control.dpi);
    }
    void Rescale(ControlRecord& control) const override { control.chart->SetDpi(control.dpi); }
};

class WindowlessKind : public ControlKindBehaviour {
public:
    void Make(ControlRecord&, HWND, int) const override {}
    bool IsWindowless() const override { return true; }
};

// Text that takes the size it needs. Blanks at its end take none: they show nothing, and the label after them
// may stand there.
class LabelKind : public WindowlessKind {
public:
    void Make(ControlRecord& label, HWND, int) const override { ShowText(label); }
    void Rescale(ControlRecord& label) const override { ShowText(label); }
    void ShowText(ControlRecord& label) const override {
        std::wstring text = WidenCp1254(label.text);
        text.erase(text.find_last_not_of(L' ') + 1);
        const TextMeasure measure = MeasureOnScreen(label.font, text);
        label.bounds.width = measure.extent.cx;
        label.bounds.height = measure.lineHeight;
    }
    void Paint(const ControlRecord& label, HDC dc, const RECT& area) const override {
        const std::wstring text = WidenCp1254(label.text);
        SelectedObject font(dc, label.font);
        SetBkColor(dc, label.color.Resolve());
        SetTextColor(dc, label.fontSpec.color.Resolve());
        ExtTextOutW(dc, area.left, area.top, ETO_OPAQUE, &area, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    }
};

// A lowered box frame.
class BevelKind : public WindowlessKind {
public:
    void Paint(const ControlRecord&, HDC dc, const RECT& area) const override {
        RECT frame = area;
        DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
    }
};

// A picture stretched over its bounds, or covering them cropped.
class PictureKind : public WindowlessKind {
public:
    void Make(ControlRecord& control, HWND, int) const override {
        control.picture = std::make_unique<Picture>(Picture::FromJpegResource(control.spec->picture));
    }
    bool IsOpaque() const override { return true; }
    void Paint(const ControlRecord& control, HDC dc, const RECT& area) const override {
        if (control.spec->options & options::kCoverCropped)
            control.picture->DrawCropped(dc, area);
        else
            control.picture->Draw(dc, area);
    }
};

}  // namespace

const ControlKindBehaviour& BehaviourOf(ControlKind kind) {
    static const PanelKind panel;
    static const GroupBoxKind groupBox;
    static const LabelKind label;
    static const BevelKind bevel;
    static const WindowlessKind splitter;
    static const ButtonKind button;
    static const PictureButtonKind pictureButton;
    static const ListBoxKind listBox;
    static const RichEditKind richEdit;
    static const StatusBarKind statusBar;
    static const EditKind edit;
    static const PictureKind picture;
    static const ChartKind chart;
    static const ListViewKind listView;
    static const ComboBoxKind comboBox;
    switch (kind) {
    case ControlKind::Panel:
        return panel;
    case ControlKind::GroupBox:
        return groupBox;
    case ControlKind::Label:
        return label;
    case ControlKind::Bevel:
        return bevel;
    case ControlKind::Splitter:
        return splitter;
    case ControlKind::Button:
        return button;
    case ControlKind::PictureButton:
        return pictureButton;
    case ControlKind::ListBox:
        return listBox;
    case ControlKind::RichEdit:
        return richEdit;
    case ControlKind::StatusBar:
        return statusBar;
    case ControlKind::Edit:
        return edit;
    case ControlKind::Picture:
        return picture;
    case ControlKind::Chart:
        return chart;
    case ControlKind::ListView:
        return listView;
    case ControlKind::ComboBox:
        return comboBox;
    }
    throw std::logic_error("a control kind without its behaviour");
}

}  // namespace platform::form_internals
