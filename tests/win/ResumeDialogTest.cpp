// The unfinished exam's dialog in the test's own process: what it shows, and that only the supervisor's sequence
// opens its choice, which alone ends it.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "entry/Backdrop.h"
#include "exam/ResumeDialog.h"
#include "platform/ErrorHandler.h"
#include "tests/win/EntryTestDriver.h"
#include "tests/win/TestSequence.h"

namespace {

using exam::ResumeChoice;
using exam::TDevamForm;
namespace devam = exam::DevamForm;

constexpr LPARAM kAltContext = LPARAM{1} << 29;

// Steps of the tests' sequence pressed where the keyboard sends them, with Alt held or without.
void PressDigits(std::initializer_list<int> steps, bool alt = true) {
    for (const int step : steps)
        SendMessageW(GetFocus(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, '0' + testing_pc1::TestSequenceDigit(step),
                     alt ? kAltContext | 1 : 1);
}
void PressKey(WPARAM key) { SendMessageW(GetFocus(), WM_KEYDOWN, key, 1); }

void Sequence() { PressDigits({0, 1, 2, 3, 4, 5}); }
void WrongSequence() { PressDigits({1, 2, 3, 4, 5, 0}); }
void WithoutAlt() { PressDigits({0, 1, 2, 3, 4, 5}, false); }

template <auto button>
void Click(const TDevamForm& dialog) {
    SendMessageW(dialog.Control(button).Handle(), BM_CLICK, 0, 0);
}
void Enter(const TDevamForm&) { PressKey(VK_RETURN); }

// The candidate's keys and another program's messages, none of which may end the dialog.
void TryToLeave(const TDevamForm& dialog) {
    SendMessageW(GetFocus(), WM_SYSKEYDOWN, VK_F4, kAltContext | 1);
    SendMessageW(dialog.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);  // what Windows makes of an Alt+F4 that gets through
    PressKey(VK_ESCAPE);
    testing_pc1::FromAnotherThread([&] {
        SendMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
        SendMessageW(dialog.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        for (const auto button : {devam::DevamBtn, devam::BitirBtn})
            SendMessageW(dialog.Control(button).Handle(), BM_CLICK, 0, 0);
    });
}

TEST(ResumeDialog, OnlyTheSupervisorsSequenceOpensTheChoice) {
    platform::SetApplicationErrorHandler([](const std::exception& error) { ADD_FAILURE() << error.what(); });
    config::Settings settings;
    settings.sequence = testing_pc1::TestSequenceHash();
    const exam::UnfinishedExam unfinished{
        "20261207-090503-7f3a09c2", "1234", "G\xDCL\xDDZ", "\xD6ZT\xDCRK", "PC1 - (PC07)", {2026, 12, 7, 9, 5, 3},
        {2026, 12, 7, 9, 6, 41},    57,     125'400};
    const struct {
        const char* name;
        bool timeUp;
        void (*keys)();
        bool continueOpen, endOpen, wrongNoted;
        void (*press)(const TDevamForm&);
        std::optional<ResumeChoice> choice;  // none: the dialog stays, until the program closes it
    } cases[] = {
        {"no sequence", false, [] {}, false, false, false, Click<devam::BitirBtn>, {}},
        {"a wrong sequence", false, WrongSequence, false, false, true, Click<devam::DevamBtn>, {}},
        {"the digits without Alt", false, WithoutAlt, false, false, false, Click<devam::BitirBtn>, {}},
        {"continue clicked", false, Sequence, true, true, false, Click<devam::DevamBtn>, ResumeChoice::Continue},
        {"end clicked", false, Sequence, true, true, false, Click<devam::BitirBtn>, ResumeChoice::EndAsItStands},
        {"Enter", false, Sequence, true, true, false, Enter, ResumeChoice::Continue},
        {"time up, no sequence", true, [] {}, false, false, false, Click<devam::BitirBtn>, {}},
        {"time up, continue clicked", true, Sequence, false, true, false, Click<devam::DevamBtn>, {}},
        {"time up, Enter", true, Sequence, false, true, false, Enter, ResumeChoice::EndAsItStands},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        entry::TArkaPlan backdrop(nullptr);
        exam::UnfinishedExam interrupted = unfinished;
        interrupted.timeUp = c.timeUp;
        TDevamForm dialog(backdrop.Handle(), interrupted, settings);
        ShowWindow(backdrop.Handle(), SW_SHOW);
        testing_pc1::WindowWatcher watcher(
            {{L"TDevamForm", [&](HWND) {
                  EXPECT_EQ(GetAncestor(GetFocus(), GA_ROOT), dialog.Handle());
                  c.keys();
                  TryToLeave(dialog);
                  EXPECT_TRUE(dialog.IsModal());
                  EXPECT_EQ(IsWindowEnabled(dialog.Control(devam::DevamBtn).Handle()) != FALSE, c.continueOpen);
                  EXPECT_EQ(IsWindowEnabled(dialog.Control(devam::BitirBtn).Handle()) != FALSE, c.endOpen);
                  EXPECT_EQ(dialog.Control(devam::Yanlis).IsVisible(), c.wrongNoted);
                  EXPECT_EQ(dialog.Control(devam::SureDoldu1).IsVisible(), c.timeUp);
                  c.press(dialog);
                  EXPECT_EQ(dialog.IsModal(), !c.choice);
                  if (dialog.IsModal()) dialog.Close();
              }}});
        dialog.ShowModal();
        EXPECT_EQ(dialog.Choice(), c.choice);
    }
    const TDevamForm dialog(nullptr, unfinished, settings);
    std::string shown;
    for (const TDevamForm::Id label : {devam::AdayNo, devam::Adi, devam::Soyadi, devam::PC, devam::Baslama,
                                       devam::Kesilme, devam::Kelime, devam::KalanSure})
        shown += dialog.Control(label).Text() + '|';
    EXPECT_EQ(shown,
              "1234|G\xDCL\xDDZ|\xD6ZT\xDCRK|PC1 - (PC07)|07.12.2026 09:05:03|07.12.2026 09:06:41|57|2 dk 5 sn|");
}

}  // namespace
