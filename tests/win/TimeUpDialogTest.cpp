// The time-up dialog driven in-process. Ticks, keys and clicks are posted before its modal loop runs, between
// messages to its owner that set the dialog's clock and note what it shows; the loop plays them in order, so no
// test waits for real seconds. A note posted behind whatever closed the dialog is never taken.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/Unique.h"
#include "result/TimeUpDialog.h"

namespace {

using namespace std::chrono_literals;
using result::TSonucForm;

constexpr UINT kSetTime = WM_APP;  // wParam: milliseconds since the dialog appeared
constexpr UINT kNote = WM_APP + 1;
constexpr UINT_PTR kTimer1 = 1;
const TSonucForm::Clock::time_point kShownAt{1h};

TSonucForm::Clock::time_point testNow;
const TSonucForm* watched = nullptr;
std::vector<std::string> notes;  // "GeriSayimLabel/OturumSayaci"
HWND focusAtNote = nullptr;

LRESULT CALLBACK OwnerProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSetTime) testNow = kShownAt + std::chrono::milliseconds(wParam);
    if (message == kNote && watched) {
        notes.push_back(watched->Control(result::SonucForm::GeriSayimLabel).Text() + "/" +
                        std::to_string(result::OturumSayaci));
        focusAtNote = GetFocus();
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A plain window covering the screen, as the exam window does.
HWND CreateOwner() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = OwnerProcedure;
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = L"TimeUpDialogTestOwner";
    RegisterClassExW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                           GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr, nullptr);
}

void DispatchQueued() {
    for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&m);
}

class SonucDialog : public testing::Test {
protected:
    void TearDown() override { OpenDialog(); }

    // Destroys the dialog opened before, with what it left queued, and opens a new one at kShownAt.
    TSonucForm& OpenDialog() {
        dialog_.reset();
        watched = nullptr;
        DispatchQueued();
        testNow = kShownAt;
        notes.clear();
        dialog_ = std::make_unique<TSonucForm>(owner_.get(), [] { return testNow; });
        watched = dialog_.get();
        Note();
        return *dialog_;
    }
    void Note() { PostMessageW(owner_.get(), kNote, 0, 0); }
    void TickAt(std::chrono::milliseconds sinceShown) {
        PostMessageW(owner_.get(), kSetTime, sinceShown.count(), 0);
        PostMessageW(dialog_->Handle(), platform::TimerThread::kWakeMessage, kTimer1, 0);
        Note();
    }

    platform::Unique<HWND, DestroyWindow> owner_{CreateOwner()};
    std::unique_ptr<TSonucForm> dialog_;
};

void ExpectClosedAndReset(const TSonucForm& dialog) {
    EXPECT_FALSE(dialog.Timer(result::SonucForm::Timer1).IsEnabled());
    EXPECT_EQ(result::OturumSayaci, 0);
}

// Each case opens a new dialog after the last one closed: it starts from 5 again.
TEST_F(SonucDialog, CountsDownOnTheClockHoweverLateTheTicksComeAndClosesAtFiveSeconds) {
    struct Case {
        const char* name;
        std::vector<int> ticksMs;
        std::vector<std::string> notes;
    } cases[] = {
        {"on time", {1000, 2000, 3000, 4000, 5000}, {"5/0", "4/1", "3/2", "2/3", "1/4"}},
        {"one just short of the end", {4990, 5000}, {"5/0", "1/4"}},
        {"two seconds merged into one late tick", {1000, 2600, 3000, 4000, 5000}, {"5/0", "4/1", "2/3", "2/3", "1/4"}},
        {"the first tick long after the end", {7300}, {"5/0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSonucForm& dialog = OpenDialog();
        for (int ms : c.ticksMs) TickAt(std::chrono::milliseconds(ms));
        dialog.ShowModal();
        EXPECT_EQ(notes, c.notes);
        EXPECT_EQ(dialog.Control(result::SonucForm::GeriSayimLabel).Text(), "5");
        ExpectClosedAndReset(dialog);
    }
}

// A close request queued behind the one that closed the dialog must not destroy the window its caller holds.
TEST_F(SonucDialog, ClosesAtOnceByTamamItsCloseBoxOrAltF4) {
    struct Case {
        const char* name;
        TSonucForm::Id target;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } cases[] = {
        {"Tamam", result::SonucForm::Tamam, BM_CLICK, 0, 0},
        {"close box", TSonucForm::kSelf, WM_SYSCOMMAND, SC_CLOSE, 0},
        {"Alt+F4", result::SonucForm::Button1, WM_SYSKEYDOWN, VK_F4, KF_ALTDOWN << 16},
        {"WM_CLOSE", TSonucForm::kSelf, WM_CLOSE, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSonucForm& dialog = OpenDialog();
        TickAt(1s);
        TickAt(2s);
        PostMessageW(dialog.Control(c.target).Handle(), c.message, c.wParam, c.lParam);
        dialog.ShowModal();
        EXPECT_EQ(notes, (std::vector<std::string>{"5/0", "4/1", "3/2"}));
        ExpectClosedAndReset(dialog);
        PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
        DispatchQueued();
        EXPECT_TRUE(IsWindow(dialog.Handle()));
    }
}

// Button1, out of sight, holds the focus: Enter and Space press it, which does nothing, and Esc means nothing.
TEST_F(SonucDialog, KeysTypedWhileItIsUpNeitherCloseNorChangeIt) {
    for (const WPARAM key : {VK_RETURN, VK_SPACE, VK_ESCAPE}) {
        SCOPED_TRACE(key);
        TSonucForm& dialog = OpenDialog();
        const HWND button1 = dialog.Control(result::SonucForm::Button1).Handle();
        PostMessageW(button1, WM_KEYDOWN, key, 1);
        PostMessageW(button1, WM_CHAR, MapVirtualKeyW(key, MAPVK_VK_TO_CHAR), 1);
        PostMessageW(button1, WM_KEYUP, key, 0xC0000001);
        Note();
        TickAt(1s);
        PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
        dialog.ShowModal();
        EXPECT_EQ(notes, (std::vector<std::string>{"5/0", "5/0", "4/1"}));
        EXPECT_EQ(focusAtNote, button1);
    }
}

TEST_F(SonucDialog, FixedFrameWithTheDesignedClientAreaCentredOverTheExamWindow) {
    const TSonucForm& dialog = OpenDialog();
    const HWND hwnd = dialog.Handle();
    RECT client, outer, button1;
    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &outer);
    // Wider only where a face standing in for the designed font would cut a line (tests/win/ScreenFitTest.cpp).
    EXPECT_GE(client.right, 407);
    EXPECT_EQ(client.bottom, 220);
    EXPECT_NEAR(outer.left + outer.right, GetSystemMetrics(SM_CXSCREEN), 1);
    EXPECT_NEAR(outer.top + outer.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), owner_.get());
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_HSCROLL | WS_VSCROLL), 0);
    EXPECT_TRUE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    wchar_t caption[32];
    GetWindowTextW(hwnd, caption, 32);
    EXPECT_STREQ(caption, L"S\u00FCreniz Doldu!");
    GetWindowRect(dialog.Control(result::SonucForm::Button1).Handle(), &button1);
    MapWindowPoints(HWND_DESKTOP, hwnd, reinterpret_cast<POINT*>(&button1), 2);
    EXPECT_GE(button1.left, client.right);

    using result::SonucForm::Control;
    struct Place {
        TSonucForm::Id control;
        int left, top;
    } places[] = {{Control<"Label1">(), 16, 16},      {Control<"Label2">(), 16, 72},
                  {Control<"SonucLabel">(), 272, 68}, {Control<"Label4">(), 16, 112},
                  {Control<"Label5">(), 16, 136},     {Control<"GeriSayimLabel">(), 184, 132},
                  {Control<"Label6">(), 216, 136},    {Control<"Tamam">(), 146, 172}};
    for (const Place& p : places) {
        SCOPED_TRACE(result::kSonucFormControls[p.control.index].name);
        EXPECT_EQ(dialog.Control(p.control).Bounds().left, p.left);
        EXPECT_EQ(dialog.Control(p.control).Bounds().top, p.top);
    }
}

}  // namespace
