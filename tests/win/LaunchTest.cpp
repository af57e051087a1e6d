// PC1.exe run as a separate process: how it starts, how it shows the computer label, and every way it ends.
#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

#include "platform/Dib.h"
#include "platform/FontCache.h"
#include "tests/win/ProgramUnderTest.h"

namespace {

using namespace std::chrono_literals;
using testing_pc1::ControlAt;
using testing_pc1::ProgramUnderTest;

RECT ScreenRect() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b); }

TEST(Launch, ShowsTheEntryDialogOverTheBackdropThenTheExamWindowWithTheApplicationTitle) {
    ProgramUnderTest program;
    const HWND dialog = program.WaitForWindow(L"TGirisForm", 60s);
    ASSERT_NE(dialog, nullptr);
    const HWND backdrop = program.TopLevelWindow(L"TArkaPlan");
    const HWND exam = program.TopLevelWindow(L"TSinavForm", false);
    ASSERT_NE(backdrop, nullptr);
    EXPECT_FALSE(IsWindowVisible(exam));
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), backdrop);
    EXPECT_EQ(GetWindow(backdrop, GW_OWNER), exam);

    RECT r;
    GetWindowRect(backdrop, &r);
    EXPECT_TRUE(r == ScreenRect());
    GetClientRect(dialog, &r);
    EXPECT_EQ(r.right, 407);
    EXPECT_EQ(r.bottom, 152);
    GetWindowRect(dialog, &r);
    EXPECT_NEAR(r.left + r.right, GetSystemMetrics(SM_CXSCREEN), 1);
    EXPECT_NEAR(r.top + r.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
    const LONG style = GetWindowLongW(dialog, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME), WS_CAPTION);

    EXPECT_EQ(program.CompleteEntry(L"7", L"a", L"b"), exam);
    EXPECT_EQ(program.TopLevelWindow(L"TGirisForm", false), nullptr);
    EXPECT_EQ(program.TopLevelWindow(L"TArkaPlan", false), nullptr);
    GetWindowRect(exam, &r);
    EXPECT_TRUE(r == ScreenRect());
    EXPECT_EQ(GetWindowLongW(exam, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_TRUE(GetWindowLongW(exam, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(testing_pc1::WindowText(exam), L"PC1");

    // Only the program itself closes its exam window; another program's requests change nothing.
    PostMessageW(exam, WM_CLOSE, 0, 0);
    PostMessageW(exam, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageW(exam, WM_QUIT, 0, 0);
    EXPECT_EQ(program.WaitForExit(2s), DWORD{STILL_ACTIVE});
    EXPECT_TRUE(IsWindowVisible(exam));
}

// A message box is Windows' own window, which takes keys from anyone.
void PressKey(HWND box, WORD key) { PostMessageW(box, WM_KEYDOWN, key, 1); }

// The candidate's keys and clicks, delivered by the agent inside PC1, which refuses them from other programs.
void PressAndRelease(const ProgramUnderTest& program, HWND control, WORD key) {
    program.Agent().Send(control, WM_KEYDOWN, key, 1);
    program.Agent().Send(control, WM_KEYUP, key, 0xC0000001);
}

void Click(const ProgramUnderTest& program, HWND button) { program.Agent().Send(button, BM_CLICK); }

TEST(Launch, EndsWithExitCodeZeroWhicheverWayTheEntryIsAbandoned) {
    struct Ending {
        const char* name;
        std::function<void(const ProgramUnderTest& program, HWND dialog, HWND exam)> act;
    };
    const Ending endings[] = {
        {"Esc in the number field",
         [](auto& p, HWND d, HWND) { PressAndRelease(p, ControlAt(d, testing_pc1::kAdaynoAt), VK_ESCAPE); }},
        {"Esc on Tamam",
         [](auto& p, HWND d, HWND) { PressAndRelease(p, ControlAt(d, testing_pc1::kTamamAt), VK_ESCAPE); }},
        {"Kapat clicked", [](auto& p, HWND d, HWND) { Click(p, ControlAt(d, testing_pc1::kKapatAt)); }},
        {"Enter on Kapat",
         [](auto& p, HWND d, HWND) { p.Agent().Send(ControlAt(d, testing_pc1::kKapatAt), WM_KEYDOWN, VK_RETURN, 1); }},
        {"dialog closed with its fields empty", [](auto& p, HWND d, HWND) { p.Agent().Send(d, WM_CLOSE); }},
        {"Windows shutting down",
         [](auto&, HWND, HWND exam) {
             DWORD_PTR answer = 0;
             SendMessageTimeoutW(exam, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
             EXPECT_EQ(answer, DWORD_PTR{TRUE});
             SendMessageTimeoutW(exam, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &answer);
         }},
    };
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.name);
        ProgramUnderTest program;
        const HWND dialog = program.WaitForWindow(L"TGirisForm", 60s);
        ASSERT_NE(dialog, nullptr);
        ending.act(program, dialog, program.TopLevelWindow(L"TSinavForm", false));
        EXPECT_EQ(program.WaitForExit(10s), 0u);
    }
}

// The pixels of an area drawn by `draw` into a bitmap of the given size.
std::vector<DWORD> Pixels(SIZE size, const std::function<void(HDC)>& draw) {
    const BITMAPINFO format = platform::TopDown32BitFormat(size);
    DWORD* bits = nullptr;
    platform::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    platform::UniqueBitmap bitmap(
        CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0));
    platform::SelectedObject selected(dc.get(), bitmap.get());
    draw(dc.get());
    GdiFlush();
    return {bits, bits + size.cx * size.cy};
}

// Whether the screen shows exactly `text`, and nothing after it, where the exam window draws its computer label.
bool ShowsComputerLabel(const std::wstring& text) {
    constexpr POINT kLabelAt{8, 28};
    platform::FontCache fonts;
    const HFONT font = fonts.Get({L"MS Sans Serif", -11, true}, 96);
    SIZE area{};
    platform::UniqueMemoryDc measuring(CreateCompatibleDC(nullptr));
    {
        platform::SelectedObject selected(measuring.get(), font);
        GetTextExtentPoint32W(measuring.get(), text.c_str(), static_cast<int>(text.size()), &area);
    }
    area.cx += 8;
    const auto expected = Pixels(area, [&](HDC dc) {
        platform::SelectedObject selected(dc, font);
        SetBkColor(dc, GetSysColor(COLOR_ACTIVECAPTION));
        SetTextColor(dc, RGB(255, 255, 255));
        const RECT all{0, 0, area.cx, area.cy};
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &all, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    });
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    do {
        const auto shown = Pixels(area, [&](HDC dc) {
            const HDC screen = GetDC(nullptr);
            BitBlt(dc, 0, 0, area.cx, area.cy, screen, kLabelAt.x, kLabelAt.y, SRCCOPY);
            ReleaseDC(nullptr, screen);
        });
        if (shown == expected) return true;
        std::this_thread::sleep_for(100ms);
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

TEST(Launch, ComputerLabelNamesTheExecutableAndTheComputer) {
    wchar_t computer[256];
    DWORD size = 256;
    ASSERT_TRUE(GetComputerNameW(computer, &size));
    const struct {
        const wchar_t* exeName;
        const wchar_t* labelStart;
    } cases[] = {{L"PC1.exe", L"PC1 - ("}, {L"PC7.exe", L"PC7 - ("}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.exeName)));
        ProgramUnderTest program(c.exeName);
        const HWND exam = program.CompleteEntry(L"1", L"a", L"b");
        ASSERT_NE(exam, nullptr);
        EXPECT_TRUE(ShowsComputerLabel(c.labelStart + std::wstring(computer, size) + L")"));
        EXPECT_EQ(testing_pc1::WindowText(exam), L"PC1");
    }
}

// An installation whose supervisor could never stop an exam runs none: the supervisor is told how to set the
// sequence, and nothing else of the program shows.
TEST(Launch, WithoutASupervisorSequenceTellsHowToSetOneAndRunsNoExam) {
    ProgramUnderTest program(L"PC1.exe", "[PC1]\r\nDenetimSirasi=\r\n");
    const HWND box = program.WaitForWindow(L"#32770", 60s);
    ASSERT_NE(box, nullptr);
    const std::wstring text = testing_pc1::MessageBoxText(box);
    EXPECT_NE(text.find(L"denetim s\x0131ras\x0131 belirlenmemi\x015F"), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"\"PC1 Ayarlar\x0131\""), std::wstring::npos) << text;
    EXPECT_EQ(program.TopLevelWindow(L"TGirisForm", false), nullptr);
    EXPECT_EQ(program.TopLevelWindow(L"TSinavForm", false), nullptr);
    PressKey(box, VK_RETURN);
    EXPECT_EQ(program.WaitForExit(10s), 3u);
}

// PC1 runs here from a folder without Metin.rtf, so starting the exam fails.
TEST(Launch, ReportsAnErrorAboveTheExamWindowThenEnds) {
    for (const WORD key : {VK_RETURN, VK_ESCAPE}) {
        SCOPED_TRACE(key);
        ProgramUnderTest program;
        const HWND exam = program.CompleteEntry(L"1", L"a", L"b");
        ASSERT_NE(exam, nullptr);
        Click(program, ControlAt(exam, {200, 60}));  // the start button
        const HWND box = program.WaitForWindow(L"#32770", 10s);
        if (!box) GTEST_SKIP() << "starting the exam reports no error yet";

        const std::wstring text = testing_pc1::MessageBoxText(box);
        EXPECT_EQ(text.find(L"HATA: Cannot open file \""), 0u) << text;
        EXPECT_NE(text.find(L"\\Metin.rtf\". "), std::wstring::npos) << text;
        EXPECT_TRUE(text.ends_with(L"Program kapat\x0131lacak.")) << text;
        EXPECT_EQ(testing_pc1::WindowText(box), L"PC1");
        EXPECT_EQ(GetWindow(box, GW_OWNER), exam);
        EXPECT_TRUE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST);
        RECT r;
        GetWindowRect(box, &r);
        EXPECT_NEAR(r.left + r.right, GetSystemMetrics(SM_CXSCREEN), 1);
        EXPECT_NEAR(r.top + r.bottom, GetSystemMetrics(SM_CYSCREEN), 1);

        PressKey(box, key);
        EXPECT_EQ(program.WaitForExit(10s), 0u);
    }
}

// A fault in the installation's settings stops the program before any candidate sits down, naming its line.
TEST(Launch, AFaultySettingsFileIsNamedBeforeAnyWindowAndEndsTheProgram) {
    const struct {
        const char* name;
        std::string_view file;
        std::wstring_view shown;
    } cases[] = {
        {"an unknown key",
         "\xEF\xBB\xBFKurulBaskani=Ay\xC5\x9F"
         "e\r\nYazic=yok\r\n",
         L"PC1.ini, sat\x0131r 2: "},
        {"a line without a value", "; yorum\r\n\r\nTutanakKlasoru\r\n", L"PC1.ini, sat\x0131r 3: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramUnderTest program(L"PC1.exe", c.file);
        const HWND box = program.WaitForWindow(L"#32770", 30s);
        ASSERT_NE(box, nullptr);
        const std::wstring text = testing_pc1::MessageBoxText(box);
        EXPECT_EQ(text.find(c.shown), 0u) << text;
        EXPECT_NE(text.find(L"PC1 Ayarlar\x0131"), std::wstring::npos) << text;
        EXPECT_EQ(program.TopLevelWindow(L"TSinavForm", false), nullptr);
        EXPECT_EQ(program.TopLevelWindow(L"TGirisForm", false), nullptr);
        PressKey(box, VK_RETURN);
        EXPECT_EQ(program.WaitForExit(10s), 2u);
    }
}

}  // namespace
