// Sessions of the exam window run in the test's own process: each begins with the entry dialog over the backdrop,
// with the exam window hidden, and leaves nothing of the previous exam behind.
#include <gtest/gtest.h>

#include "exam/Unit1.h"
#include "exam/Unit1Layout.h"
#include "platform/ErrorHandler.h"
#include "platform/RichEdit.h"
#include "result/SonucUnit.h"
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
    form.SetControlText(exam::SinavForm::Metin, "bir iki");
    form.SetControlText(exam::SinavForm::Yazilan, "iki bri");
    platform::SelectRichEditRange(form.ControlHandle(exam::SinavForm::Yazilan), 4, 3);
    platform::SetRichEditSelectionStyle(form.ControlHandle(exam::SinavForm::Yazilan), platform::TextStyle::Underline);
    form.SetControlText(exam::SinavForm::SureLabel, "0");
    form.SetControlText(exam::SinavForm::StatusBar1, "7 karakter");
    form.SetControlVisible(exam::SinavForm::GroupBox1, true);
    form.SetControlEnabled(exam::SinavForm::Baslat, false);
    form.SetControlEnabled(exam::SinavForm::Temizle, true);
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
        EXPECT_EQ(form.ControlText(exam::SinavForm::AdayNoLabel), shown[session].adayNo);
        EXPECT_EQ(form.ControlText(exam::SinavForm::AdiLabel), shown[session].adi);
        EXPECT_EQ(form.ControlText(exam::SinavForm::SoyadiLabel), shown[session].soyadi);
        EXPECT_EQ(form.ControlText(exam::SinavForm::Metin), "");
        EXPECT_EQ(form.ControlText(exam::SinavForm::Yazilan), "");
        EXPECT_EQ(form.ControlText(exam::SinavForm::SureLabel), "180");
        EXPECT_EQ(form.ControlText(exam::SinavForm::StatusBar1), "");
        EXPECT_FALSE(form.IsControlVisible(exam::SinavForm::GroupBox1));
        EXPECT_TRUE(IsWindowEnabled(form.ControlHandle(exam::SinavForm::Baslat)));
        EXPECT_FALSE(IsWindowEnabled(form.ControlHandle(exam::SinavForm::Temizle)));
        EXPECT_EQ(result::OturumSayaci, 0);

        const HWND yazilan = form.ControlHandle(exam::SinavForm::Yazilan);
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
    EXPECT_EQ(form.ControlHandle(exam::SinavForm::Yazilan), nullptr);
    NewSession(form, {"5", "a", "b"});
    ASSERT_NE(form.ControlHandle(exam::SinavForm::Yazilan), nullptr);
    EXPECT_EQ(form.ControlText(exam::SinavForm::PCLabel),
              "session_tests - (" + exam::TSinavForm::BilgisayarAdi() + ")");

    ShowWindow(form.Handle(), SW_HIDE);
    exam::TSinavForm madeAtOnce;
    ShowWindow(madeAtOnce.Handle(), SW_SHOW);
    // Labels are sized to their texts, which the session filled in.
    const auto controls = exam::SinavFormControls();
    for (int i = 0; i < static_cast<int>(controls.size()); ++i)
        if (controls[i].kind == platform::ControlKind::Label) madeAtOnce.SetControlText({i}, form.ControlText({i}));
    for (int i = 0; i < static_cast<int>(controls.size()); ++i) {
        SCOPED_TRACE(controls[i].name);
        EXPECT_EQ(form.ControlBounds({i}), madeAtOnce.ControlBounds({i}));
        EXPECT_EQ(form.IsControlVisible({i}), madeAtOnce.IsControlVisible({i}));
    }
}

}  // namespace
