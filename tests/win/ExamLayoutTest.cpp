// The exam window on a 1024 x 768 screen: every band and box where the design puts it, run in-process.
#include <gtest/gtest.h>

#include <string>

#include "exam/ExamWindow.h"
#include "platform/RichEdit.h"
#include "tests/win/ExamDriver.h"

namespace {

using exam::SinavForm::Control;

struct Span {
    int from, to;
    friend bool operator==(const Span&, const Span&) = default;
};

RECT RectInForm(const exam::TSinavForm& form, exam::TSinavForm::Id control) {
    RECT r;
    GetWindowRect(form.Control(control).Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct Expected {
    exam::TSinavForm::Id control;
    Span x, y;  // in the exam window's client area
};

void ExpectPlaces(const exam::TSinavForm& form, std::initializer_list<Expected> expected) {
    for (const Expected& e : expected) {
        SCOPED_TRACE(exam::kSinavFormControls[e.control.index].name);
        const RECT r = RectInForm(form, e.control);
        EXPECT_EQ((Span{r.left, r.right}), e.x);
        EXPECT_EQ((Span{r.top, r.bottom}), e.y);
    }
}

class ExamLayout : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024) << "run on a 1024 x 768 screen";
        ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
        ShowWindow(form.Handle(), SW_SHOW);
    }
    // The typing area takes keys while an exam runs.
    HWND StartTyping() {
        folder.Write("{\\rtf1 Bir iki\\par}");
        SendMessageW(form.Control(exam::SinavForm::Baslat).Handle(), BM_CLICK, 0, 0);
        return form.Control(exam::SinavForm::Yazilan).Handle();
    }

    testing_pc1::SampleFolder folder;
    testing_pc1::ClockedSinavForm form;
};

TEST_F(ExamLayout, CoversTheScreenBorderlessAndOnTop) {
    RECT bounds;
    GetWindowRect(form.Handle(), &bounds);
    EXPECT_EQ((Span{bounds.left, bounds.right}), (Span{0, 1024}));
    EXPECT_EQ((Span{bounds.top, bounds.bottom}), (Span{0, 768}));
    EXPECT_EQ(GetWindowLongW(form.Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_TRUE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(ExamLayout, BandsWithTheResultsHidden) {
    ExpectPlaces(form, {{Control<"CaptionPanel">(), {0, 1024}, {0, 45}},
                        {Control<"Panel3">(), {0, 1024}, {45, 90}},
                        {Control<"Metin">(), {0, 512}, {90, 742}},
                        {Control<"Yazilan">(), {512, 1024}, {90, 742}},
                        {Control<"StatusBar1">(), {0, 1024}, {742, 768}},
                        {Control<"SurePanel">(), {780, 1023}, {46, 89}},
                        {Control<"Temizle">(), {12, 162}, {49, 86}},
                        {Control<"Baslat">(), {179, 329}, {49, 86}}});
    form.Control(exam::SinavForm::SurePanel).SetVisible(false);
    form.Control(exam::SinavForm::BaslaPanel).SetVisible(true);
    ExpectPlaces(form, {{Control<"BaslaPanel">(), {680, 1023}, {46, 89}}});
}

TEST_F(ExamLayout, BandsAndBoxesWithTheResultsShown) {
    form.Control(exam::SinavForm::GroupBox1).SetVisible(true);
    ExpectPlaces(form, {{Control<"GroupBox1">(), {0, 1024}, {500, 742}},
                        {Control<"Metin">(), {0, 512}, {90, 500}},
                        {Control<"Yazilan">(), {512, 1024}, {90, 500}},
                        {Control<"StatusBar1">(), {0, 1024}, {742, 768}},
                        {Control<"GroupBox2">(), {2, 258}, {515, 740}},
                        {Control<"GroupBox4">(), {258, 458}, {515, 740}},
                        {Control<"GroupBox3">(), {458, 658}, {515, 740}},
                        {Control<"Panel2">(), {658, 858}, {515, 740}},
                        {Control<"MetinListBox">(), {4, 256}, {530, 738}},
                        {Control<"Chart2">(), {659, 857}, {516, 671}}});
}

TEST_F(ExamLayout, CloseButtonStandsFourPixelsFromTheRightEnd) {
    form.Control(exam::SinavForm::KapatBtn).SetVisible(true);
    ExpectPlaces(form, {{Control<"KapatBtn">(), {985, 1020}, {4, 41}}});
}

TEST_F(ExamLayout, TypingAreaTakesTabAsInput) {
    const HWND yazilan = StartTyping();
    EXPECT_TRUE(SendMessageW(yazilan, WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTTAB);
    SendMessageW(yazilan, WM_CHAR, 'a', 0);
    SendMessageW(yazilan, WM_CHAR, '\t', 0);
    SendMessageW(yazilan, WM_CHAR, 'b', 0);
    EXPECT_EQ(form.Control(exam::SinavForm::Yazilan).Text(), "a\tb");
    EXPECT_EQ(GetFocus(), yazilan);
}

TEST_F(ExamLayout, TextAreasKeepEveryTurkishLetterWhateverTheCodePage) {
    const std::string texts[] = {
        "\xE7\xF0\xFD\xF6\xFE\xFC \xC7\xD0\xDD\xD6\xDE\xDC",  // the Turkish letters, small and capital
        "bir\r\niki\r\n\r\n\xFC\x93\xE7\x94",                 // line breaks and typographic quotes
        "",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        for (const auto area : {exam::SinavForm::Metin, exam::SinavForm::Yazilan}) {
            form.Control(area).SetText(text);
            EXPECT_EQ(form.Control(area).Text(), text);
        }
    }
}

TEST_F(ExamLayout, TypingGoesOnPastTheControlsDefaultLimit) {
    const HWND yazilan = StartTyping();
    std::string lines;  // just past the control's default 32,767 characters
    while (lines.size() < 32800) lines += std::string(78, 'a') + "\r\n";
    testing_pc1::TypeInto(yazilan, lines);
    EXPECT_EQ(platform::RichEditTextLength(yazilan), static_cast<int>(lines.size()));
}

BOOL CALLBACK CountToolTips(HWND hwnd, LPARAM count) {
    wchar_t className[64];
    GetClassNameW(hwnd, className, 64);
    if (std::wstring(className) == L"tooltips_class32") ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST_F(ExamLayout, ShowsNoToolTipsButKeepsTheHints) {
    int toolTips = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountToolTips, reinterpret_cast<LPARAM>(&toolTips));
    EXPECT_EQ(toolTips, 0);
    EXPECT_EQ(exam::kSinavFormControls[exam::SinavForm::KapatBtn.index].hint, "Program\xFD kapat\xFDr.");
}

}  // namespace
