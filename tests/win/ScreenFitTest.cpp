// The exam window on the screen it runs on, at that screen's density and at larger ones: every control on the
// monitor, none over another, lengths scaled; fitted again, with its dialog, when the screens change; the sample
// text read to its end without a scroll bar. Run at
// every size and density by tests/e2e/screens.sh, and at the suite's 1024 x 768, 96 dpi with the others sent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exam/ExamWindow.h"
#include "platform/pure/Scaling.h"
#include "result/TimeUpDialog.h"
#include "tests/core/Cp1254.h"
#include "tests/win/ExamDriver.h"

namespace {

using exam::SinavForm::Control;
using geometry::Rect;
using geometry::Scaled;

class ScreenFit : public testing::Test {
protected:
    void SetUp() override {
        ShowWindow(form.Handle(), SW_SHOW);
        form.Control(exam::SinavForm::GroupBox1).SetVisible(true);
        form.Control(exam::SinavForm::KapatBtn).SetVisible(true);
        form.Control(exam::SinavForm::AdayNoLabel).SetText("123456789012");
        form.Control(exam::SinavForm::AdiLabel).SetText(testing_text::Cp1254("MUSTAFA KEMAL ŞÜKRÜ"));
        form.Control(exam::SinavForm::SoyadiLabel).SetText(testing_text::Cp1254("KARAAĞAÇLIOĞLU"));
        form.Control(exam::SinavForm::ltoplamyer).SetText("1.234");
    }
    static std::vector<int> MonitorDensities() { return {static_cast<int>(GetDpiForSystem()), 120, 144, 192}; }
    void MoveToDensity(int dpi) {
        RECT bounds;
        GetWindowRect(form.Handle(), &bounds);
        SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&bounds));
    }
    RECT OnScreen(int index) const {
        RECT r = platform::ToRect(form.Control(Id(index)).Bounds());
        const int parent = Parent(index);
        MapWindowPoints(parent < 0 ? form.Handle() : form.Control(Id(parent)).Handle(), HWND_DESKTOP,
                        reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    static int Parent(int index) {
        const std::string_view parent = exam::kSinavFormControls[index].parent;
        for (int i = 0; i < Count(); ++i)
            if (exam::kSinavFormControls[i].name == parent) return i;
        return -1;
    }
    bool Shown(int index) const {
        for (int i = index; i >= 0; i = Parent(i))
            if (!form.Control(Id(i)).IsVisible()) return false;
        return true;
    }
    static int Count() { return static_cast<int>(std::size(exam::kSinavFormControls)); }
    static std::string Name(int index) { return std::string(exam::kSinavFormControls[index].name); }
    using Id = exam::TSinavForm::Id;

    testing_pc1::ClockedSinavForm form;
};

// Whatever the density asked for, the window is laid out at one that fits it on its monitor.
TEST_F(ScreenFit, EveryControlOnTheMonitorNoneOverAnotherAndLengthsScaled) {
    const RECT monitor = platform::Form::PrimaryMonitorBounds();
    const int width = monitor.right - monitor.left;
    for (const int asked : MonitorDensities()) {
        for (const char* clock : {"180", "0"}) {
            SCOPED_TRACE(std::to_string(asked) + " dpi asked, clock at " + clock);
            MoveToDensity(asked);
            form.Control(exam::SinavForm::SureLabel).SetText(clock);
            const int dpi = form.Dpi();
            EXPECT_LE(dpi, std::max(asked, 96));
            EXPECT_EQ(dpi, geometry::LayoutDpi(asked, {width, monitor.bottom - monitor.top}, {700, 500}));

            RECT window;
            GetWindowRect(form.Handle(), &window);
            EXPECT_TRUE(EqualRect(&window, &monitor));
            EXPECT_EQ(form.Control(exam::SinavForm::CaptionPanel).Bounds().height, Scaled(45, dpi));
            EXPECT_EQ(form.Control(exam::SinavForm::GroupBox1).Bounds().height,
                      Scaled(Rect{0, 342, 836, 242}, dpi).height);
            EXPECT_EQ(SendMessageW(form.Control(exam::SinavForm::DogruListBox).Handle(), LB_GETITEMHEIGHT, 0, 0),
                      Scaled(13, dpi));
            EXPECT_EQ(form.Control(exam::SinavForm::GroupBox2).Bounds().width, width / 4);
            EXPECT_EQ(form.Control(exam::SinavForm::Panel2).Bounds().width, 200 * width / 1024);

            for (int i = 0; i < Count(); ++i) {
                if (!Shown(i)) continue;
                SCOPED_TRACE(Name(i));
                const RECT r = OnScreen(i), parent = Parent(i) < 0 ? monitor : OnScreen(Parent(i));
                RECT inside;
                IntersectRect(&inside, &r, &parent);
                EXPECT_TRUE(EqualRect(&inside, &r)) << "outside its container";
                for (int j = i + 1; j < Count(); ++j) {
                    const auto kind = exam::kSinavFormControls[j].kind;
                    if (!Shown(j) || Parent(j) != Parent(i) || kind == platform::ControlKind::Bevel ||
                        exam::kSinavFormControls[i].kind == platform::ControlKind::Bevel)
                        continue;
                    const RECT other = OnScreen(j);
                    RECT both;
                    EXPECT_FALSE(IntersectRect(&both, &r, &other)) << "over " << Name(j);
                }
            }
        }
    }
}

TEST_F(ScreenFit, SampleReadsToItsEndByWheelAndKeysWithoutCaretOrSelection) {
    std::string sample;
    for (int line = 1; line <= 400; ++line) sample += "Sat\xFDr " + std::to_string(line) + "\r\n";
    const platform::RichEditView metin = form.Control(exam::SinavForm::Metin);
    metin.SetText(sample);
    const int lines = metin.LineCount();
    RECT area;
    GetWindowRect(metin.Handle(), &area);
    const LPARAM overSample = MAKELPARAM((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    const HWND yazilan = form.Control(exam::SinavForm::Yazilan).Handle();

    // The wheel turns the text under the pointer, though the keyboard is in the typing area.
    SendMessageW(yazilan, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), overSample);
    EXPECT_EQ(testing_pc1::FirstVisibleLine(metin.Handle()), 3);
    for (int notch = 0; notch < lines; ++notch)
        SendMessageW(metin.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), overSample);
    const int lastPage = testing_pc1::FirstVisibleLine(metin.Handle());
    EXPECT_GT(lastPage, lines / 2);
    SendMessageW(metin.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA), overSample);
    EXPECT_EQ(testing_pc1::FirstVisibleLine(metin.Handle()), lastPage - 6);

    struct Key {
        WPARAM key;
        int expected;  // the first line shown, -1: the last page's
    } const keys[] = {{VK_HOME, 0}, {VK_DOWN, 1}, {VK_DOWN, 2}, {VK_UP, 1}, {VK_END, -1}, {VK_HOME, 0}};
    for (const Key& k : keys) {
        SCOPED_TRACE(k.key);
        SendMessageW(metin.Handle(), WM_KEYDOWN, k.key, 0);
        EXPECT_EQ(testing_pc1::FirstVisibleLine(metin.Handle()), k.expected < 0 ? lastPage : k.expected);
    }
    SendMessageW(metin.Handle(), WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_GT(testing_pc1::FirstVisibleLine(metin.Handle()), 3);
    EXPECT_EQ(metin.SelectionStart(), 0);
    EXPECT_EQ(metin.SelectionLength(), 0);
    EXPECT_FALSE(GetWindowLongW(metin.Handle(), GWL_STYLE) & WS_VSCROLL);
}

// Windows tells every top-level window that the screens changed, the time-up dialog often before the exam window
// it stands over: whichever hears first, the window ends over the whole monitor and the dialog centred on it.
TEST_F(ScreenFit, AScreenChangeFitsTheWindowThenTheDialogOverIt) {
    const RECT monitor = platform::Form::PrimaryMonitorBounds();
    for (const bool dialogFirst : {true, false}) {
        SCOPED_TRACE(dialogFirst ? "the dialog hears first" : "the window hears first");
        // Where the screen as it was left the window.
        SetWindowPos(form.Handle(), nullptr, 100, 50, 600, 500, SWP_NOZORDER | SWP_NOACTIVATE);
        const result::TSonucForm dialog(form.Handle());
        const LPARAM size = MAKELPARAM(monitor.right - monitor.left, monitor.bottom - monitor.top);
        for (const HWND hwnd :
             dialogFirst ? std::vector{dialog.Handle(), form.Handle()} : std::vector{form.Handle(), dialog.Handle()})
            SendMessageW(hwnd, WM_DISPLAYCHANGE, 32, size);

        RECT window, box;
        GetWindowRect(form.Handle(), &window);
        GetWindowRect(dialog.Handle(), &box);
        EXPECT_TRUE(EqualRect(&window, &monitor));
        EXPECT_NEAR((box.left + box.right) / 2, (monitor.left + monitor.right) / 2, 1);
        EXPECT_NEAR((box.top + box.bottom) / 2, (monitor.top + monitor.bottom) / 2, 1);
    }
}

// The faces standing in for the designed fonts are wider than they: no line of the dialog's text is cut at its edge.
TEST_F(ScreenFit, TheTimeUpDialogHoldsEveryLineOfItsText) {
    const result::TSonucForm dialog(form.Handle());
    RECT client;
    GetClientRect(dialog.Handle(), &client);
    for (int i = 0; i < static_cast<int>(std::size(result::kSonucFormControls)); ++i) {
        if (result::kSonucFormControls[i].kind != platform::ControlKind::Label) continue;
        SCOPED_TRACE(std::string(result::kSonucFormControls[i].name));
        EXPECT_LE(dialog.Control(result::TSonucForm::Id{i}).Bounds().Right(), client.right);
    }
}

}  // namespace
