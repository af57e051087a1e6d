// Sessions of the exam window run in the test's own process: each begins with the entry dialog over the backdrop,
// with the exam window hidden, and leaves nothing of the previous exam behind.
#include <gtest/gtest.h>

#include "exam/ExamWindow.h"
#include "exam/ExamWindowLayout.h"
#include "platform/ErrorHandler.h"
#include "platform/RichEdit.h"
#include "result/TimeUpDialog.h"
#include "tests/win/EntryTestDriver.h"
#include "tests/win/ProgramUnderTest.h"

namespace {

struct Aday {
    const char *adayNo, *adi, *soyadi;
};

// Runs one session start with the candidate typed into the entry dialog; checks how the windows stand meanwhile.
void NewSession(exam::TSinavForm& form, const Aday& aday) {
    const auto fillIn = [&](HWND dialog) {
        const HWND backdrop = testing_pc1::FindProcessWindow(GetCurrentProcessId(), L"TArkaPlan");
        EXPECT_FALSE(IsWindowVisible(form.Handle()));
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), backdrop);
        EXPECT_EQ(GetWindow(backdrop, GW_OWNER), form.Handle());
        EXPECT_TRUE(IsZoomed(backdrop));
        for (const char* field : {aday.adayNo, aday.adi, aday.soyadi}) {
            testing_pc1::Type(GetFocus(), field);
            testing_pc1::Type(GetFocus(), "\r");
        }
    };
    testing_pc1::WindowWatcher watcher({{L"TGirisForm", fillIn}});
    platform::EventArgs args;
    form.TemizleClick(args);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(testing_pc1::FindProcessWindow(GetCurrentProcessId(), L"TGirisForm", false), nullptr);
    EXPECT_EQ(testing_pc1::FindProcessWindow(GetCurrentProcessId(), L"TArkaPlan", false), nullptr);
}

// What an exam leaves in the window: both texts, underlined wrong words, the results and a stopped clock.
void FinishAnExam(exam::TSinavForm& form) {
    form.Control(exam::SinavForm::Metin).SetText("bir iki");
    form.Control(exam::SinavForm::Yazilan).SetText("iki bri");
    form.Control(exam::SinavForm::Yazilan).Select(4, 3);
    form.Control(exam::SinavForm::Yazilan).StyleSelection(platform::TextStyle::Underline);
    form.Control(exam::SinavForm::SureLabel).SetText("0");
    form.Control(exam::SinavForm::StatusBar1).SetText("7 karakter");
    form.Control(exam::SinavForm::GroupBox1).SetVisible(true);
    form.Control(exam::SinavForm::Baslat).SetEnabled(false);
    form.Control(exam::SinavForm::Temizle).SetEnabled(true);
    result::OturumSayaci = 3;
}

TEST(Session, TwoSessionsInARowEachStartClean) {
    platform::SetApplicationErrorHandler([](const std::exception& error) { ADD_FAILURE() << error.what(); });
    exam::TSinavForm form;
    const Aday candidates[] = {{"17", "\xFEule", "\xFDlgaz"}, {"18", "ilker", "\xE7i\xF0li"}};
    const Aday shown[] = {{"17", "\xDEULE", "ILGAZ"}, {"18", "\xDDLKER", "\xC7\xDD\xD0L\xDD"}};
    for (int session = 0; session < 2; ++session) {
        SCOPED_TRACE(session);
        NewSession(form, candidates[session]);
        EXPECT_EQ(form.Control(exam::SinavForm::AdayNoLabel).Text(), shown[session].adayNo);
        EXPECT_EQ(form.Control(exam::SinavForm::AdiLabel).Text(), shown[session].adi);
        EXPECT_EQ(form.Control(exam::SinavForm::SoyadiLabel).Text(), shown[session].soyadi);
        EXPECT_EQ(form.Control(exam::SinavForm::Metin).Text(), "");
        EXPECT_EQ(form.Control(exam::SinavForm::Yazilan).Text(), "");
        EXPECT_EQ(form.Control(exam::SinavForm::SureLabel).Text(), "180");
        EXPECT_EQ(form.Control(exam::SinavForm::StatusBar1).Text(), "");
        EXPECT_FALSE(form.Control(exam::SinavForm::GroupBox1).IsVisible());
        EXPECT_TRUE(IsWindowEnabled(form.Control(exam::SinavForm::Baslat).Handle()));
        EXPECT_FALSE(IsWindowEnabled(form.Control(exam::SinavForm::Temizle).Handle()));
        EXPECT_EQ(result::OturumSayaci, 0);

        const HWND yazilan = form.Control(exam::SinavForm::Yazilan).Handle();
        platform::SetRichEditReadOnly(yazilan, false);
        testing_pc1::Type(yazilan, "yeni");
        EXPECT_FALSE(platform::IsRichEditRangeUnderlined(yazilan, 0, 1));
        FinishAnExam(form);
    }
}

// The program's own exam window makes its controls while the first entry dialog waits: afterwards it stands as
// a window made with its controls at once does, control by control, and names the executable and the computer.
TEST(Session, ControlsMadeDuringTheFirstEntryStandAsIfMadeAtOnce) {
    platform::SetApplicationErrorHandler([](const std::exception& error) { ADD_FAILURE() << error.what(); });
    exam::TSinavForm form(exam::TSinavForm::Controls::DuringFirstEntry);
    EXPECT_EQ(form.Control(exam::SinavForm::Yazilan).Handle(), nullptr);
    NewSession(form, {"5", "a", "b"});
    ASSERT_NE(form.Control(exam::SinavForm::Yazilan).Handle(), nullptr);
    EXPECT_EQ(form.Control(exam::SinavForm::PCLabel).Text(), "session_tests - (" + exam::BilgisayarAdi() + ")");

    ShowWindow(form.Handle(), SW_HIDE);
    exam::TSinavForm madeAtOnce;
    ShowWindow(madeAtOnce.Handle(), SW_SHOW);
    // Labels are sized to their texts, which the session filled in.
    const std::span<const platform::ControlSpec> controls = exam::kSinavFormControls;
    for (int i = 0; i < static_cast<int>(controls.size()); ++i)
        if (controls[i].kind == platform::ControlKind::Label)
            madeAtOnce.Control(exam::TSinavForm::Id{i}).SetText(form.Control(exam::TSinavForm::Id{i}).Text());
    for (int i = 0; i < static_cast<int>(controls.size()); ++i) {
        SCOPED_TRACE(controls[i].name);
        const platform::ControlView made = form.Control(exam::TSinavForm::Id{i});
        const platform::ControlView atOnce = madeAtOnce.Control(exam::TSinavForm::Id{i});
        EXPECT_EQ(made.Bounds(), atOnce.Bounds());
        EXPECT_EQ(made.IsVisible(), atOnce.IsVisible());
    }
}

}  // namespace
