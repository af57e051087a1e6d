// A whole exam in the exam window, driven in-process by handler calls and a clock the test moves: no waiting.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "exam/ExamWindow.h"
#include "platform/Cp1254.h"
#include "platform/ListBox.h"
#include "platform/RichEdit.h"
#include "tests/win/ExamDriver.h"

namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;
using Clock = exam::ExamState::Clock;

using testing_pc1::ClockedSinavForm;
using testing_pc1::CloseTimeUpDialogWhenShown;
using testing_pc1::TestData;

constexpr char kSampleRtf[] =
    "{\\rtf1\\ansi\\ansicpg1254\\deff0{\\fonttbl{\\f0\\fcharset162 Times New Roman;}}"
    "\\f0 Bir iki \\'fc\\'e7. Kalem, defter;\\par}";

class ExamRun : public testing::Test {
protected:
    void SetUp() override {
        folder.Write(kSampleRtf);
        ShowWindow(form.Handle(), SW_SHOW);
    }
    void Click(exam::TSinavForm::Id button) { SendMessageW(form.Control(button).Handle(), BM_CLICK, 0, 0); }
    void Tick(platform::TimerId<exam::TSinavForm> timer, std::chrono::milliseconds at) {
        form.now = start + at;
        platform::EventArgs args;
        if (timer.index == exam::SinavForm::BaslatTimer.index)
            form.BaslatTimerTimer(args);
        else
            form.SinavTimerTimer(args);
    }
    void Type(std::string_view text) {
        testing_pc1::TypeInto(form.Control(exam::SinavForm::Yazilan).Handle(), text);
        platform::EventArgs args;
        form.YazilanKeyUp(args);
    }
    bool Enabled(exam::TSinavForm::Id control) { return IsWindowEnabled(form.Control(control).Handle()); }

    testing_pc1::SampleFolder folder;
    ClockedSinavForm form;
    Clock::time_point start = form.now;
};

TEST_F(ExamRun, CountdownThenClockThenFinishWithResults) {
    Click(exam::SinavForm::Baslat);
    EXPECT_FALSE(Enabled(exam::SinavForm::Baslat));
    EXPECT_FALSE(Enabled(exam::SinavForm::Temizle));
    EXPECT_EQ(form.Control(exam::SinavForm::Metin).Text(), "Bir iki \xFC\xE7. Kalem, defter;");
    EXPECT_FALSE(testing_pc1::IsReadOnly(form.Control(exam::SinavForm::Yazilan).Handle()));
    EXPECT_EQ(GetFocus(), form.Control(exam::SinavForm::Yazilan).Handle());
    EXPECT_EQ(form.Control(exam::SinavForm::StatusBar1).Text(), "...");
    EXPECT_TRUE(form.Timer(exam::SinavForm::BaslatTimer).IsEnabled());
    EXPECT_TRUE(form.Control(exam::SinavForm::BaslaPanel).IsVisible());
    EXPECT_FALSE(form.Control(exam::SinavForm::SurePanel).IsVisible());

    const struct {
        std::chrono::milliseconds at;
        const char* baslatLabel;
    } countdown[] = {{1000ms, "4"}, {2010ms, "3"}, {2990ms, "2"}, {4000ms, "1"}};
    for (const auto& tick : countdown) {
        Tick(exam::SinavForm::BaslatTimer, tick.at);
        EXPECT_EQ(form.Control(exam::SinavForm::BaslatLabel).Text(), tick.baslatLabel);
    }
    Tick(exam::SinavForm::BaslatTimer, 5000ms);
    EXPECT_FALSE(form.Timer(exam::SinavForm::BaslatTimer).IsEnabled());
    EXPECT_TRUE(form.Timer(exam::SinavForm::SinavTimer).IsEnabled());
    EXPECT_EQ(form.Control(exam::SinavForm::BaslatLabel).Text(), "5");
    EXPECT_FALSE(form.Control(exam::SinavForm::BaslaPanel).IsVisible());
    EXPECT_TRUE(form.Control(exam::SinavForm::SurePanel).IsVisible());
    EXPECT_EQ(form.Control(exam::SinavForm::StatusBar1).Text(), "Karakter say\xFDs\xFD: 0    Kelime say\xFDs\xFD: 0");

    // The exam clock started at 5 s: late and merged ticks show the seconds really left.
    const struct {
        std::chrono::milliseconds at;
        const char* sureLabel;
    } clock[] = {{6000ms, "179"}, {8600ms, "176"}, {183990ms, "1"}};
    for (const auto& tick : clock) {
        Tick(exam::SinavForm::SinavTimer, tick.at);
        EXPECT_EQ(form.Control(exam::SinavForm::SureLabel).Text(), tick.sureLabel);
    }

    Type("iki Bir d\xF6rt iki\r\nkalemm, defter");
    EXPECT_EQ(form.Control(exam::SinavForm::StatusBar1).Text(), "Karakter say\xFDs\xFD: 34    Kelime say\xFDs\xFD: 6");
    CloseTimeUpDialogWhenShown();
    Tick(exam::SinavForm::SinavTimer, 185000ms);

    EXPECT_TRUE(testing_pc1::IsReadOnly(form.Control(exam::SinavForm::Yazilan).Handle()));
    EXPECT_EQ(form.Control(exam::SinavForm::SureLabel).Text(), "0");
    EXPECT_FALSE(form.Timer(exam::SinavForm::SinavTimer).IsEnabled());
    EXPECT_EQ(form.Control(exam::SinavForm::ltoplamyer).Text(), "6");
    const auto& bars = form.Control(exam::SinavForm::Chart2).Chart().Bars();
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].value, 4);
    EXPECT_EQ(bars[1].value, 2);
    EXPECT_TRUE(Enabled(exam::SinavForm::Temizle));
    EXPECT_TRUE(form.Control(exam::SinavForm::GroupBox1).IsVisible());

    const HWND yazilan = form.Control(exam::SinavForm::Yazilan).Handle();
    const struct {
        int start, length;
        bool underlined;
    } marks[] = {{8, 4, true}, {18, 6, true}, {0, 3, false}, {24, 1, false}, {13, 3, false}};
    for (const auto& mark : marks) {
        SCOPED_TRACE(std::to_string(mark.start));
        EXPECT_EQ(platform::IsRichEditRangeUnderlined(yazilan, mark.start, mark.length), mark.underlined);
    }

    // The record is kept before the results show; what became of its printing follows in the status bar.
    std::vector<std::filesystem::path> kept;
    for (const auto& entry : std::filesystem::directory_iterator(testing_pc1::kRecordsFolder)) kept.push_back(entry);
    ASSERT_EQ(kept.size(), 2u);
    const auto document = std::ranges::find(kept, ".rtf", [](const auto& path) { return path.extension(); });
    ASSERT_NE(document, kept.end());
    for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
    EXPECT_EQ(form.Control(exam::SinavForm::StatusBar1).Text(),
              "Karakter say\xFDs\xFD: 34    Kelime say\xFDs\xFD: 5    Tutanak kaydedildi: " +
                  platform::NarrowCp1254(std::filesystem::absolute(*document).wstring()) + "    " +
                  result::PrintOutcomeText(result::PrintOutcome::NoPrinter));
}

// Every typed occurrence of a wrong word is underlined, and nothing else: neither a correct word that a comparison
// blind to the Turkish I would take for a wrong one, nor a wrong word's letters inside a correct word.
TEST_F(ExamRun, UnderlinesEveryWrongWordAndNothingElse) {
    folder.Write("{\\rtf1\\ansi Irmak (b) ev.\\par}");
    platform::EventArgs args;
    form.BaslatClick(args);
    Type("irmak Irmak (b) b IRMAK irmak ev");
    CloseTimeUpDialogWhenShown();
    form.now += 200s;
    form.SinavTimerTimer(args);
    ASSERT_EQ(testing_pc1::ListBoxItems(form.Control(exam::SinavForm::YanlisListBox).Handle()),
              (text::WordList{"irmak", "b", "irmak"}));

    const struct {
        const char* name;
        int start, length;
        bool underlined;
    } kWords[] = {
        {"irmak", 0, 5, true},   {"Irmak", 6, 5, false},       {"b inside (b)", 13, 1, false}, {"b", 16, 1, true},
        {"IRMAK", 18, 5, false}, {"irmak again", 24, 5, true}, {"ev", 30, 2, false},
    };
    const HWND yazilan = form.Control(exam::SinavForm::Yazilan).Handle();
    for (const auto& word : kWords) {
        SCOPED_TRACE(word.name);
        EXPECT_EQ(platform::IsRichEditRangeUnderlined(yazilan, word.start, word.length), word.underlined);
    }
}

TEST_F(ExamRun, AKeyReleasedDuringTheCountdownStartsTheClockAtOnce) {
    Click(exam::SinavForm::Baslat);
    Tick(exam::SinavForm::BaslatTimer, 1000ms);
    form.now = start + 1500ms;
    Type("a");
    EXPECT_FALSE(form.Timer(exam::SinavForm::BaslatTimer).IsEnabled());
    EXPECT_TRUE(form.Timer(exam::SinavForm::SinavTimer).IsEnabled());
    EXPECT_EQ(form.Control(exam::SinavForm::BaslatLabel).Text(), "5");
    EXPECT_TRUE(form.Control(exam::SinavForm::SurePanel).IsVisible());
    Tick(exam::SinavForm::SinavTimer, 2500ms);
    EXPECT_EQ(form.Control(exam::SinavForm::SureLabel).Text(), "179");
}

TEST_F(ExamRun, AKeyAfterTheTimeHasPassedEndsTheExamInsteadOfTyping) {
    Click(exam::SinavForm::Baslat);
    Type("a");
    CloseTimeUpDialogWhenShown();
    form.now = start + 180s;
    SendMessageW(form.Control(exam::SinavForm::Yazilan).Handle(), WM_CHAR, 'b', 0);
    EXPECT_EQ(form.Control(exam::SinavForm::Yazilan).Text(), "a");
    EXPECT_TRUE(testing_pc1::IsReadOnly(form.Control(exam::SinavForm::Yazilan).Handle()));
    EXPECT_EQ(form.Control(exam::SinavForm::SureLabel).Text(), "0");
}

// Word processors write typographic quotes, apostrophes, dashes and ellipses; a candidate who types them as the
// keyboard allows has typed every word right.
TEST_F(ExamRun, SamplesFromWordProcessorsScoreAFaithfulCopyWithoutAWrongWord) {
    const std::string sample(testing_pc1::kWritersText);
    const std::string typed =
        "\"G\xFCnayd\xFDn!\" dedi \xF6\xF0retmen. T\xFCrkiye'nin her k\xF6\xFE"
        "esinden gelen \xF6\xF0renciler "
        "s\xFDn\xFD"
        "fa girdi.\r\nKim bilir... Belki de bug\xFCn ilk s\xFDnavlar\xFDyd\xFD - ama hi\xE7"
        "biri "
        "korkmuyordu. I\xFE\xFDk, \xE7i\xE7"
        "ek, a\xF0"
        "a\xE7, \xDDstanbul, \xDEule, Ilgaz.";
    for (const char* writer : {"LibreOffice.rtf", "Riched20.rtf"}) {
        SCOPED_TRACE(writer);
        folder.Write(TestData(writer));
        ClockedSinavForm sinavForm;  // one exam each
        platform::EventArgs args;
        sinavForm.BaslatClick(args);
        std::string loaded = sinavForm.Control(exam::SinavForm::Metin).Text();
        while (loaded.ends_with("\r\n")) loaded.resize(loaded.size() - 2);
        EXPECT_EQ(loaded, sample);

        testing_pc1::TypeInto(sinavForm.Control(exam::SinavForm::Yazilan).Handle(), typed);
        sinavForm.YazilanKeyUp(args);
        CloseTimeUpDialogWhenShown();
        sinavForm.now += 200s;
        sinavForm.SinavTimerTimer(args);
        EXPECT_EQ(sinavForm.Control(exam::SinavForm::YanlisListBox).Count(), 0);
        EXPECT_EQ(sinavForm.Control(exam::SinavForm::DogruListBox).Count(), 27);
    }
}

TEST_F(ExamRun, SampleFilesThatAreNotRichText) {
    const struct {
        const char* name;
        std::string content;
        std::string expectedSample;  // empty: "Failed to Load Stream"
    } files[] = {
        {"Windows-1254 text with lone CR and LF",
         "s\xFD"
         "cak\rg\xFCn\nbitti\r\n",
         "s\xFD"
         "cak\r\ng\xFCn\r\nbitti\r\n"},
        {"UTF-8 text", "\xC4\xB1\xC5\x9F\xC4\x9F", "\xFD\xFE\xF0"},
        {"binary", std::string("MZ\0\0\x90", 5), ""},
        {"damaged rich text", "{\\rtf1 \\bin99999 x", ""},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        folder.Write(file.content);
        ClockedSinavForm sinavForm;  // one exam each
        platform::EventArgs args;
        if (file.expectedSample.empty()) {
            try {
                sinavForm.BaslatClick(args);
                ADD_FAILURE() << "loaded";
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(), "Failed to Load Stream");
            }
            continue;
        }
        sinavForm.BaslatClick(args);
        EXPECT_EQ(sinavForm.Control(exam::SinavForm::Metin).Text(), file.expectedSample);
    }
}

TEST_F(ExamRun, AMissingSampleFileNamesItsFullPath) {
    std::filesystem::remove("Metin.rtf");
    platform::EventArgs args;
    try {
        form.BaslatClick(args);
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        const std::string message = error.what();
        const std::string path = (std::filesystem::current_path() / "Metin.rtf").string();
        EXPECT_EQ(message.rfind("Cannot open file \"" + path + "\". ", 0), 0u) << message;
        EXPECT_NE(message.back(), '.');
    }
}

}  // namespace

namespace {

// An exam whose journal cannot be made goes on, and the status bar says so from its start and with every count.
TEST(ExamJournal, AJournalThatCannotBeMadeIsSaidAtOnce) {
    const std::filesystem::path notAFolder = std::filesystem::temp_directory_path() / "pc1-journal-folder-a-file";
    std::ofstream(notAFolder) << "x";
    {
        testing_pc1::StartedExam exam(notAFolder);
        const auto status = [&] { return exam.form.Control(exam::SinavForm::StatusBar1).Text(); };
        constexpr char kNotice[] = "    G\xFCnl\xFCk yaz\xFDlam\xFDyor: ";
        EXPECT_TRUE(status().starts_with("..."s + kNotice)) << status();
        testing_pc1::TypeInto(exam.yazilan.Handle(), "bir");
        platform::EventArgs args;
        exam.form.YazilanKeyUp(args);
        EXPECT_NE(status().find(kNotice), std::string::npos) << status();
    }
    std::filesystem::remove(notAFolder);
}

}  // namespace
