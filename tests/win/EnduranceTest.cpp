// A day at an exam centre in one process: 500 candidates one after another, each entered in the entry dialog,
// typing a little, timed out with the time-up dialog and shown the results before Yeni Oturum. What the process
// holds after an exam must be the same after the 50th and after the 500th.
#include <windows.h>

#include <gtest/gtest.h>

#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/ErrorHandler.h"
#include "tests/win/EntryTestDriver.h"
#include "tests/win/ExamDriver.h"
#include "tests/win/GuiObjectCount.h"

namespace {

using namespace std::chrono_literals;

constexpr int kSessions = 500;
constexpr int kSampleEvery = 50;
constexpr SIZE_T kMemoryTolerance = 2 * 1024 * 1024;

// Committed private memory. Wine leaves PrivateUsage at 0; there the committed private regions of the address space
// are added up instead, which leaves out what Wine's own Unix side allocates.
SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters) &&
        counters.PrivateUsage)
        return counters.PrivateUsage;
    SIZE_T committed = 0;
    const char* at = nullptr;
    for (MEMORY_BASIC_INFORMATION region; VirtualQuery(at, &region, sizeof region); at += region.RegionSize)
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) committed += region.RegionSize;
    return committed;
}

struct Sample {
    int session;
    testing_pc1::GuiObjects objects;
    SIZE_T privateBytes;
};

class Endurance : public testing::Test {
protected:
    Endurance() {
        platform::SetApplicationErrorHandler([](const std::exception& error) { ADD_FAILURE() << error.what(); });
        folder.Write(testing_pc1::TestData("LibreOffice.rtf"));
    }

    // Yeni Oturum, or for the first session what the program's start-up runs; the supervisor enters the candidate.
    void NewSession(int session) {
        const std::string adayNo = std::to_string(session);
        const auto fillIn = [&adayNo](HWND) {
            for (const char* field : {adayNo.c_str(), "\xFEule", "\xFDlgaz"}) {
                testing_pc1::Type(GetFocus(), field);
                testing_pc1::Type(GetFocus(), "\r");
            }
        };
        const testing_pc1::WindowWatcher watcher({{L"TGirisForm", fillIn}});
        if (session == 1) {
            platform::EventArgs args;
            form.TemizleClick(args);
        } else {
            Click(exam::SinavForm::Temizle);
        }
        ASSERT_EQ(form.Control(exam::SinavForm::AdayNoLabel).Text(), adayNo);
    }

    void Click(exam::TSinavForm::Id button) { SendMessageW(form.Control(button).Handle(), BM_CLICK, 0, 0); }

    // From Baslat to the results, a few seconds into the countdown and past the end of the exam's time.
    void RunExam() {
        Click(exam::SinavForm::Baslat);
        ASSERT_FALSE(IsWindowEnabled(form.Control(exam::SinavForm::Baslat).Handle())) << "the exam did not start";
        platform::EventArgs args;
        form.now += 1s;
        form.BaslatTimerTimer(args);
        const HWND yazilan = form.Control(exam::SinavForm::Yazilan).Handle();
        testing_pc1::Type(yazilan,
                          "\"G\xFCnayd\xFDn!\" dedi \xF6gretmen. T\xFCrkiye'nin her k\xF6\xFE"
                          "esinden");
        SendMessageW(yazilan, WM_KEYUP, 'N', 0);
        testing_pc1::CloseTimeUpDialogWhenShown();
        form.now += 181s;
        form.SinavTimerTimer(args);
        ASSERT_TRUE(IsWindowEnabled(form.Control(exam::SinavForm::Temizle).Handle())) << "the exam did not finish";
    }

    testing_pc1::SampleFolder folder;
    testing_pc1::ClockedSinavForm form;
};

TEST_F(Endurance, FiveHundredSessionsLeaveNoObjectsOrMemoryBehind) {
    std::vector<Sample> samples;
    for (int session = 1; session <= kSessions; ++session) {
        ASSERT_NO_FATAL_FAILURE(NewSession(session));
        ASSERT_NO_FATAL_FAILURE(RunExam());
        EXPECT_EQ(form.Control(exam::SinavForm::ltoplamyer).Text(), "7");
        if (session % kSampleEvery == 0) samples.push_back({session, testing_pc1::CountGuiObjects(), PrivateBytes()});
    }

    for (const Sample& sample : samples) {
        std::printf("after session %3d: %lu GDI, %lu USER, %zu KB private\n", sample.session, sample.objects.gdi,
                    sample.objects.user, sample.privateBytes / 1024);
    }
    // The first fifty sessions are the warm-up: caches of fonts and pictures fill, heaps reach their working size.
    // Under Wine memory still grows by about 320 bytes a session: its rich-edit control keeps that much of every rich
    // text streamed in, whichever control and text.
    const Sample& warm = samples.front();
    const Sample& last = samples.back();
    EXPECT_EQ(last.objects, warm.objects);
    EXPECT_LT(last.privateBytes, warm.privateBytes + kMemoryTolerance);
}

}  // namespace
