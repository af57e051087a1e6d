// The guards of the exam window and the entry dialog, driven in-process with keyboard and mouse messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "entry/EntryDialog.h"
#include "exam/ExamWindow.h"
#include "platform/Cp1254.h"
#include "platform/KeyTranslator.h"
#include "platform/RichEdit.h"
#include "tests/win/EntryTestDriver.h"
#include "tests/win/ExamDriver.h"
#include "tests/win/TestSequence.h"

namespace {

using testing_pc1::FromAnotherThread;
using testing_pc1::HeldKeys;

constexpr LPARAM kAltContext = LPARAM{1} << 29;

// Records every attempt to close the window instead of letting it end the test process.
LRESULT CALLBACK RecordClosing(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR closings) {
    if (message == WM_CLOSE || (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE)) {
        ++*reinterpret_cast<int*>(closings);
        return 0;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = platform::NarrowCp1254(static_cast<const wchar_t*>(GlobalLock(data)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void SetClipboardText(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(data), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(data);
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();
}

// A running exam: the start button clicked, then a key released in the typing area.
class ExamGuards : public testing::Test {
protected:
    void SetUp() override {
        folder.Write("{\\rtf1 Bir iki \\par}");
        ShowWindow(form.Handle(), SW_SHOW);
        SetWindowSubclass(form.Handle(), RecordClosing, 0, reinterpret_cast<DWORD_PTR>(&closings));
        yazilan = form.Control(exam::SinavForm::Yazilan).Handle();
        metin = form.Control(exam::SinavForm::Metin).Handle();
        SendMessageW(form.Control(exam::SinavForm::Baslat).Handle(), BM_CLICK, 0, 0);
        ReleaseKey('A');
    }
    void ReleaseKey(WORD key) { SendMessageW(yazilan, WM_KEYUP, key, 0xC0000001); }
    bool ClockRuns() const {
        return form.Session().Current() == exam::ExamState::Phase::Running &&
               form.Timer(exam::SinavForm::SinavTimer).IsEnabled();
    }
    void AltKey(HWND control, WORD key) { SendMessageW(control, WM_SYSKEYDOWN, key, kAltContext | 1); }
    void AltDigits(HWND control, std::initializer_list<int> steps, bool keypad = false) {
        for (int step : steps) {
            const int digit = testing_pc1::TestSequenceDigit(step);
            AltKey(control, static_cast<WORD>(keypad && step % 2 ? VK_NUMPAD0 + digit : '0' + digit));
        }
    }
    // A clock that the supervisor stopped goes on with a key released in the typing area.
    void RestartTheClock() { ReleaseKey('A'); }

    testing_pc1::SampleFolder folder;
    testing_pc1::ClockedSinavForm form;
    HWND yazilan = nullptr, metin = nullptr;
    int closings = 0;
};

TEST_F(ExamGuards, AltF4NeverReachesTheWindow) {
    using namespace exam::SinavForm;
    using Id = exam::TSinavForm::Id;
    for (const Id control : {Id(Metin), Id(Yazilan), Id(MetinListBox), Id(DogruListBox), Id(YanlisListBox), Id(Temizle),
                             Id(Baslat), Id(KapatBtn)}) {
        SCOPED_TRACE(exam::kSinavFormControls[control.index].name);
        AltKey(form.Control(control).Handle(), VK_F4);
    }
    AltKey(form.Handle(), VK_F4);
    EXPECT_EQ(closings, 0);
}

TEST_F(ExamGuards, OnlyTheWholeSequenceStopsTheClockAndShowsTheCloseButton) {
    const struct {
        const char* name;
        std::vector<int> steps;  // indexes into the tests' sequence
        bool keypad;
        bool stops;
    } cases[] = {
        {"all six on the main row", {0, 1, 2, 3, 4, 5}, false, true},
        {"main row and keypad mixed", {0, 1, 2, 3, 4, 5}, true, true},
        {"one digit out of place", {0, 2, 1, 3, 4, 5}, false, false},
        {"five of six", {0, 1, 2, 3, 4}, false, false},
        {"a held key repeating", {0, 1, 1, 2, 3, 4, 5}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RestartTheClock();
        for (int step : c.steps) AltDigits(yazilan, {step}, c.keypad);
        EXPECT_EQ(ClockRuns(), !c.stops);
        EXPECT_EQ(form.Control(exam::SinavForm::KapatBtn).IsVisible(), c.stops);
        AltKey(yazilan, VK_MENU);  // releasing and pressing Alt again starts over
    }
}

TEST_F(ExamGuards, AltPressedAgainOrAltGrOrNoAltBreaksTheSequence) {
    AltDigits(yazilan, {0, 1, 2});
    AltKey(yazilan, VK_MENU);
    AltDigits(yazilan, {3, 4, 5});
    EXPECT_TRUE(ClockRuns());

    {
        HeldKeys altGr{VK_CONTROL, VK_MENU};
        AltDigits(yazilan, {0, 1, 2, 3, 4, 5});
    }
    EXPECT_TRUE(ClockRuns());

    for (int step = 0; step < 6; ++step) SendMessageW(yazilan, WM_KEYDOWN, testing_pc1::kTestSequence[step], 1);
    EXPECT_TRUE(ClockRuns());
    EXPECT_FALSE(form.Control(exam::SinavForm::KapatBtn).IsVisible());
}

// Releasing the sequence's own keys, or a tick, leaves the clock stopped; the next other key released goes on
// with exactly the time that was left.
TEST_F(ExamGuards, TheSupervisorsStopHoldsUntilAnotherKeyIsReleased) {
    const auto clockStarted = form.now;
    form.now += std::chrono::milliseconds(10400);
    AltDigits(yazilan, {0, 1, 2, 3, 4, 5});
    ReleaseKey(static_cast<WORD>(testing_pc1::kTestSequence[5]));
    ReleaseKey(VK_MENU);
    form.now += std::chrono::minutes(5);
    platform::EventArgs tick;
    form.SinavTimerTimer(tick);
    EXPECT_EQ(form.Session().Current(), exam::ExamState::Phase::Stopped);
    EXPECT_EQ(form.Control(exam::SinavForm::SureLabel).Text(), "170");
    EXPECT_TRUE(form.Control(exam::SinavForm::KapatBtn).IsVisible());

    ReleaseKey('K');
    EXPECT_TRUE(ClockRuns());
    EXPECT_EQ(form.Control(exam::SinavForm::SureLabel).Text(), "170");
    // The candidate's exam again: the close button goes, and a click that reaches it ends nothing.
    EXPECT_FALSE(form.Control(exam::SinavForm::KapatBtn).IsVisible());
    platform::EventArgs click;
    form.KapatBtnClick(click);
    EXPECT_EQ(closings, 0);
    const auto stopped = form.now - (clockStarted + std::chrono::milliseconds(10400));
    form.now = clockStarted + stopped + std::chrono::seconds(180) - std::chrono::milliseconds(1);
    form.SinavTimerTimer(tick);
    EXPECT_TRUE(ClockRuns());
}

TEST_F(ExamGuards, TheCloseButtonStaysWhileTheClockStands) {
    AltDigits(yazilan, {0, 1, 2, 3, 4, 5});
    AltDigits(yazilan, {0, 3});
    AltKey(yazilan, 'Q');
    EXPECT_TRUE(form.Control(exam::SinavForm::KapatBtn).IsVisible());
}

TEST_F(ExamGuards, APressInTheTypingAreaSelectsNothing) {
    testing_pc1::TypeInto(yazilan, "bir iki \xFC\xE7 d\xF6rt");
    for (UINT press : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN}) {
        SCOPED_TRACE(press);
        platform::SelectRichEditRange(yazilan, 4, 6);
        SendMessageW(yazilan, press, 0, MAKELPARAM(30, 8));
        SendMessageW(yazilan, WM_LBUTTONUP, 0, MAKELPARAM(30, 8));
        EXPECT_EQ(platform::RichEditSelectionLength(yazilan), 0);
    }
}

TEST_F(ExamGuards, NothingButTypingGetsTextIntoTheTypingArea) {
    testing_pc1::TypeInto(yazilan, "abc");
    SetFocus(yazilan);
    SetClipboardText(L"kopya");
    SendMessageW(yazilan, WM_PASTE, 0, 0);
    SendMessageW(yazilan, EM_PASTESPECIAL, CF_UNICODETEXT, 0);
    const struct {
        std::initializer_list<BYTE> held;
        WORD key;
    } chords[] = {{{VK_CONTROL}, 'V'},
                  {{VK_CONTROL}, VK_INSERT},
                  {{VK_SHIFT}, VK_INSERT},
                  {{VK_CONTROL, VK_MENU}, 'V'},
                  {{VK_SHIFT, VK_MENU}, VK_INSERT},
                  {{VK_CONTROL, VK_MENU}, 'A'},
                  {{VK_CONTROL, VK_SHIFT, VK_MENU}, 'V'}};
    for (const auto& chord : chords) {
        HeldKeys held(chord.held);
        SendMessageW(yazilan, GetKeyState(VK_CONTROL) < 0 ? WM_KEYDOWN : WM_SYSKEYDOWN, chord.key, 1);
        SendMessageW(yazilan, WM_CHAR, 0x16, 1);
    }
    SendMessageW(yazilan, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(yazilan), MAKELPARAM(20, 20));
    SendMessageW(yazilan, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(20, 8));
    SendMessageW(yazilan, WM_MBUTTONUP, 0, MAKELPARAM(20, 8));
    EXPECT_EQ(form.Control(exam::SinavForm::Yazilan).Text(), "abc");

    // AltGr letters are typing: '@' and the euro sign come with Ctrl and Alt held. Turkish letters arrive as
    // themselves whatever the machine's code page.
    platform::SelectRichEditRange(yazilan, 3, 0);
    {
        HeldKeys altGr{VK_CONTROL, VK_MENU};
        SendMessageW(yazilan, WM_KEYDOWN, 'Q', 1);
        SendMessageW(yazilan, WM_CHAR, '@', 1);
    }
    for (const wchar_t letter : std::wstring_view(L" \u015F\u0131\u011F \u0130I\u0131 \u00E7\u00F6\u00FC\u20AC"))
        SendMessageW(yazilan, WM_CHAR, letter, 1);
    EXPECT_EQ(form.Control(exam::SinavForm::Yazilan).Text(), "abc@ \xFE\xFD\xF0 \xDDI\xFD \xE7\xF6\xFC\x80");
}

// Another thread stands for another program here: Windows tells both apart from the window's own thread alike.
TEST_F(ExamGuards, OtherProgramsReadTheTextAreasButChangeNothing) {
    testing_pc1::TypeInto(yazilan, "kendi");
    form.Control(exam::SinavForm::Metin).SetText("\xF6rnek");
    SetClipboardText(L"kopya");
    const wchar_t replacement[] = L"yabanc\u0131";
    SETTEXTEX setText{ST_DEFAULT, 1200};
    const struct {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } attempts[] = {
        {"WM_SETTEXT", WM_SETTEXT, 0, reinterpret_cast<LPARAM>(replacement)},
        {"EM_REPLACESEL", EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(replacement)},
        {"EM_SETTEXTEX", EM_SETTEXTEX, reinterpret_cast<WPARAM>(&setText), reinterpret_cast<LPARAM>(replacement)},
        {"WM_PASTE", WM_PASTE, 0, 0},
        {"EM_PASTESPECIAL", EM_PASTESPECIAL, CF_UNICODETEXT, 0},
        {"WM_CHAR", WM_CHAR, 'x', 1},
        {"WM_KEYDOWN", WM_KEYDOWN, VK_DELETE, 1},
        {"WM_CLEAR", WM_CLEAR, 0, 0},
        {"EM_SETREADONLY", EM_SETREADONLY, TRUE, 0},
        {"EM_EXGETSEL with a pointer that is not copied", EM_EXGETSEL, 0, 0x10},
    };
    for (const HWND area : {yazilan, metin}) {
        for (const auto& attempt : attempts) {
            SCOPED_TRACE(attempt.name);
            platform::SelectRichEditRange(area, 0, -1);
            FromAnotherThread([&] { SendMessageW(area, attempt.message, attempt.wParam, attempt.lParam); });
        }
    }
    EXPECT_EQ(form.Control(exam::SinavForm::Yazilan).Text(), "kendi");
    EXPECT_EQ(form.Control(exam::SinavForm::Metin).Text(), "\xF6rnek");
    EXPECT_FALSE(testing_pc1::IsReadOnly(yazilan));
    std::wstring read(16, L'\0');
    FromAnotherThread(
        [&] { read.resize(SendMessageW(yazilan, WM_GETTEXT, read.size(), reinterpret_cast<LPARAM>(read.data()))); });
    EXPECT_EQ(read, L"kendi");
}

// Once the time is up the typed text stays as it was scored, whatever key or message comes.
TEST_F(ExamGuards, TheTypedTextIsFrozenOnceTheTimeIsUp) {
    SendMessageW(yazilan, WM_CHAR, 'x', 1);
    testing_pc1::CloseTimeUpDialogWhenShown();
    form.now += std::chrono::seconds(181);
    platform::EventArgs tick;
    form.SinavTimerTimer(tick);
    ASSERT_EQ(form.Session().Current(), exam::ExamState::Phase::Finished);
    platform::SetRichEditReadOnly(yazilan, false);
    for (const auto& [held, key] :
         {std::pair<BYTE, WORD>{VK_CONTROL, 'Z'}, {VK_MENU, VK_BACK}, {VK_SHIFT, VK_DELETE}}) {
        HeldKeys holding{held};
        SendMessageW(yazilan, held == VK_MENU ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
    }
    SendMessageW(yazilan, WM_UNDO, 0, 0);
    SendMessageW(yazilan, WM_CHAR, 'y', 1);
    EXPECT_EQ(form.Control(exam::SinavForm::Yazilan).Text(), "x");
    form.SinavTimerTimer(tick);
    EXPECT_EQ(form.Session().Current(), exam::ExamState::Phase::Finished);
}

TEST_F(ExamGuards, TheSampleTextCannotBeSelectedOrCopied) {
    form.Control(exam::SinavForm::Metin).SetText("\xD6rnek metin burada.");
    SetClipboardText(L"bekleyen");
    SetFocus(yazilan);
    SendMessageW(metin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 8));
    SendMessageW(metin, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(120, 8));
    SendMessageW(metin, WM_LBUTTONUP, 0, MAKELPARAM(120, 8));
    SendMessageW(metin, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 8));
    EXPECT_EQ(GetFocus(), yazilan);
    EXPECT_EQ(platform::RichEditSelectionLength(metin), 0);

    platform::SelectRichEditRange(metin, 0, 5);
    SendMessageW(metin, WM_COPY, 0, 0);
    {
        HeldKeys ctrl{VK_CONTROL};
        for (WORD key : {WORD{'C'}, WORD{VK_INSERT}, WORD{'A'}}) SendMessageW(metin, WM_KEYDOWN, key, 1);
    }
    SendMessageW(metin, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 8));
    SendMessageW(metin, WM_RBUTTONUP, 0, MAKELPARAM(20, 8));
    EXPECT_EQ(ClipboardText(), "bekleyen");
    EXPECT_EQ(platform::RichEditSelectionLength(metin), 5);
}

TEST(EntryDialogGuards, TheCaptionBarDoesNotMoveTheDialog) {
    entry::TGirisForm girisForm(nullptr);
    ShowWindow(girisForm.Handle(), SW_SHOW);
    RECT window, client;
    GetWindowRect(girisForm.Handle(), &window);
    GetClientRect(girisForm.Handle(), &client);
    MapWindowPoints(girisForm.Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    const POINT inCaption{(window.left + window.right) / 2, (window.top + client.top) / 2};
    const LRESULT hit = SendMessageW(girisForm.Handle(), WM_NCHITTEST, 0, MAKELPARAM(inCaption.x, inCaption.y));
    EXPECT_EQ(hit, HTNOWHERE);
}

}  // namespace

// What the program makes of the keyboard's keys for the typing area, the modifiers held as the thread's key state
// holds them. The layout's letters, AltGr and dead keys come from the system's own translation of the layout (and
// under Wine from the X server's keyboard map, which has neither Turkish layout nor dead keys).
TEST(KeyTranslation, MakesOnlyWhatTheKeysType) {
    struct Press {
        UINT message;
        WORD key;
        std::initializer_list<BYTE> held;
    };
    const struct {
        const char* name;
        std::vector<Press> presses;
        std::wstring made;
    } cases[] = {
        {"a letter", {{WM_KEYDOWN, 'K', {}}}, L"k"},
        {"a capital with Shift", {{WM_KEYDOWN, 'K', {VK_SHIFT}}}, L"K"},
        {"keys that type nothing, held or not",
         {{WM_KEYDOWN, VK_SHIFT, {VK_SHIFT}},
          {WM_KEYDOWN, VK_SHIFT, {VK_SHIFT}},
          {WM_KEYDOWN, VK_CONTROL, {VK_CONTROL}},
          {WM_KEYDOWN, VK_SCROLL, {}},
          {WM_KEYDOWN, VK_SCROLL, {}},
          {WM_KEYDOWN, VK_CAPITAL, {}},
          {WM_KEYDOWN, VK_F5, {}}},
         L""},
        {"Alt with a letter", {{WM_SYSKEYDOWN, 'K', {VK_MENU}}, {WM_KEYUP, VK_MENU, {}}}, L""},
        {"an Alt code on the keypad",
         {{WM_SYSKEYDOWN, VK_NUMPAD7, {VK_MENU}}, {WM_SYSKEYDOWN, VK_NUMPAD5, {VK_MENU}}, {WM_KEYUP, VK_MENU, {}}},
         L"K"},
        {"an Alt code with a leading zero, Num Lock off",
         {{WM_SYSKEYDOWN, VK_INSERT, {VK_MENU}},
          {WM_SYSKEYDOWN, VK_CLEAR, {VK_MENU}},
          {WM_SYSKEYDOWN, VK_LEFT, {VK_MENU}},
          {WM_KEYUP, VK_MENU, {}}},
         L"6"},
        {"the supervisor's six digits on the keypad",
         {{WM_SYSKEYDOWN, VK_NUMPAD1, {VK_MENU}},
          {WM_SYSKEYDOWN, VK_NUMPAD2, {VK_MENU}},
          {WM_SYSKEYDOWN, VK_NUMPAD3, {VK_MENU}},
          {WM_SYSKEYDOWN, VK_NUMPAD4, {VK_MENU}},
          {WM_SYSKEYDOWN, VK_NUMPAD5, {VK_MENU}},
          {WM_SYSKEYDOWN, VK_NUMPAD6, {VK_MENU}},
          {WM_KEYUP, VK_MENU, {}}},
         L""},
    };
    for (const auto& c : cases) {
        platform::KeyTranslator keys;
        std::wstring made;
        for (const Press& press : c.presses) {
            HeldKeys held(press.held);
            const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(press.key, MAPVK_VK_TO_VSC)) << 16;
            made += keys.Translate(press.message, press.key, 1 | scan);  // the keypad's keys are not extended
        }
        EXPECT_EQ(made, c.made) << c.name;
    }
}
