// The state file that the exam window writes for the hall's console, read back as the console reads it at every
// phase of a session: the window driven in-process on a clock the test moves.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "entry/EntryDialog.h"
#include "exam/ExamWindow.h"
#include "hall/pure/PcStateFile.h"
#include "platform/Files.h"
#include "result/pure/RecordsFile.h"
#include "tests/win/EntryTestDriver.h"
#include "tests/win/ExamDriver.h"
#include "tests/win/TestSequence.h"

namespace {

using namespace std::chrono_literals;
using hall::Phase;

constexpr LPARAM kAltContext = LPARAM{1} << 29;

struct Expected {
    Phase phase;
    std::string candidate;
    std::int64_t msLeft, words;
};

constexpr char kSampleRtf[] = "{\\rtf1 Bir iki \\'fc\\'e7 d\\'f6rt\\par}";

// As the console reads it, once the writer's thread has written the last state handed to it.
hall::PcState ReadState(const exam::TSinavForm& form) {
    EXPECT_TRUE(form.HallState()->WaitWritten(5000));
    const platform::WholeFile file = platform::ReadWholeFile(form.HallState()->Path(), hall::kMaxStateFileBytes);
    EXPECT_EQ(file.error, ERROR_SUCCESS);
    const auto decoded = hall::DecodeState(file.bytes);
    if (const auto* refusal = std::get_if<hall::StateRefusal>(&decoded)) ADD_FAILURE() << refusal->detail;
    return std::holds_alternative<hall::PcState>(decoded) ? std::get<hall::PcState>(decoded) : hall::PcState{};
}

void Check(const exam::TSinavForm& form, const Expected& expected) {
    const hall::PcState state = ReadState(form);
    EXPECT_EQ(state.phase, expected.phase);
    EXPECT_EQ(std::tie(state.candidateNumber, state.msLeft, state.wordsTyped),
              std::tie(expected.candidate, expected.msLeft, expected.words))
        << hall::PhaseName(expected.phase);
}

class HallState : public testing::Test {
protected:
    void SetUp() override { folder.Write(kSampleRtf); }

    hall::PcState Read() { return ReadState(form); }
    void Check(const Expected& expected) { ::Check(form, expected); }
    void At(std::chrono::milliseconds at) { form.now = start + at; }
    void NewSession(const char* candidate) {
        const auto fillIn = [&](HWND) {
            Check({Phase::Waiting, "", 180'000, 0});
            for (const char* field : {candidate, "\xFEule", "\xFDlgaz"}) {
                testing_pc1::Type(GetFocus(), field);
                testing_pc1::Type(GetFocus(), "\r");
            }
        };
        testing_pc1::WindowWatcher watcher({{L"TGirisForm", fillIn}});
        platform::EventArgs args;
        form.TemizleClick(args);
    }

    testing_pc1::SampleFolder folder;
    testing_pc1::ClockedSinavForm form{testing_pc1::RecordsInTheCurrentFolder(),
                                       (std::filesystem::current_path() / "Salon").wstring()};
    exam::ExamState::Clock::time_point start = form.now;
};

TEST_F(HallState, EveryPhaseOfASessionReadsBack) {
    platform::EventArgs args;
    NewSession("17");
    const hall::PcState entered = Read();
    EXPECT_EQ(entered.phase, Phase::Ready);
    EXPECT_EQ(entered.firstName, "\xC5\x9EULE");
    EXPECT_EQ(entered.surname, "ILGAZ");
    EXPECT_EQ(entered.computer + ")", entered.label.substr(entered.label.find('(') + 1));

    const HWND yazilan = form.Control(exam::SinavForm::Yazilan).Handle();
    SendMessageW(form.Control(exam::SinavForm::Baslat).Handle(), BM_CLICK, 0, 0);
    Check({Phase::Countdown, "17", 180'000, 0});
    At(5000ms);
    form.BaslatTimerTimer(args);
    Check({Phase::Running, "17", 180'000, 0});

    // Keys hand nothing over; the clock's ticks do, every second one.
    testing_pc1::TypeInto(yazilan, "Bir iki ");
    const struct {
        std::chrono::milliseconds at;
        Expected expected;
    } ticks[] = {{6000ms, {Phase::Running, "17", 180'000, 0}},
                 {7000ms, {Phase::Running, "17", 178'000, 2}},
                 {8000ms, {Phase::Running, "17", 178'000, 2}},
                 {9000ms, {Phase::Running, "17", 176'000, 2}}};
    for (const auto& tick : ticks) {
        SCOPED_TRACE(tick.at.count());
        At(tick.at);
        form.SinavTimerTimer(args);
        Check(tick.expected);
    }

    // The supervisor's stop and the key that resumes: the stopped time is not the exam's.
    At(9500ms);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;  // held, so that the digits type nothing
    SetKeyboardState(keys);
    SendMessageW(yazilan, WM_SYSKEYDOWN, VK_MENU, kAltContext | 1);
    for (int step = 0; step < 6; ++step)
        SendMessageW(yazilan, WM_SYSKEYDOWN, '0' + testing_pc1::TestSequenceDigit(step), kAltContext | 1);
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    Check({Phase::Stopped, "17", 175'500, 2});
    // A stopped exam's PC goes on writing, so that one killed while stopped shows as not answering.
    const hall::PcState stopped = Read();
    At(12'000ms);
    form.SinavTimerTimer(args);
    const hall::PcState beat = Read();
    EXPECT_EQ(std::tie(beat.phase, beat.seq, beat.examId), std::tuple(stopped.phase, stopped.seq + 1, stopped.examId));
    At(30'000ms);
    SendMessageW(yazilan, WM_KEYUP, 'A', 0xC0000001);
    Check({Phase::Running, "17", 175'500, 2});

    // The time-up dialog shows while the exam is scored; the results follow, then what became of the print.
    testing_pc1::WindowWatcher watcher({{L"TSonucForm", [&](HWND dialog) {
                                             Check({Phase::TimeUp, "17", 0, 2});
                                             PostMessageW(dialog, WM_CLOSE, 0, 0);
                                         }}});
    At(210'000ms);
    form.SinavTimerTimer(args);
    Check({Phase::Results, "17", 0, 2});
    hall::PcState results = Read();
    for (int i = 0; i < 500 && !results.problems.notPrinted; ++i) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(10);
        results = Read();
    }
    EXPECT_EQ(results.problems, (hall::Problems{.notPrinted = true}));  // these settings have no printer

    // The record carries the digest of the text in the last state written.
    std::vector<std::string> digests;
    for (const auto& file : std::filesystem::directory_iterator(testing_pc1::kRecordsFolder))
        for (const result::ReadRow& row :
             result::ReadRecordsFileRows(platform::ReadWholeFile(file.path().wstring(), 1 << 20).bytes).rows)
            if (row.fields[14] == stopped.examId) digests.push_back(row.fields[15]);
    EXPECT_EQ(digests, std::vector{results.digest});
    EXPECT_EQ(results.digest.size(), 64u);

    NewSession("18");
    Check({Phase::Ready, "18", 180'000, 0});
}

// An exam that an ended program left: its candidate, words and time left show while the supervisor chooses, and it
// comes back stopped once continued.
TEST(HallStateOfAnUnfinishedExam, ShowsItWhileTheSupervisorChooses) {
    platform::EventArgs args;
    testing_pc1::SampleFolder folder;
    folder.Write(kSampleRtf);
    const std::filesystem::path journals = std::filesystem::current_path() / "Gunluk";
    std::filesystem::create_directories(journals);
    {
        testing_pc1::ClockedSinavForm ended(testing_pc1::RecordsInTheCurrentFolder(), {}, journals.wstring());
        testing_pc1::WindowWatcher entry({{L"TGirisForm", [](HWND) {
                                               for (const char* field : {"21", "Al\xFD", "Vel\xFD"}) {
                                                   testing_pc1::Type(GetFocus(), field);
                                                   testing_pc1::Type(GetFocus(), "\r");
                                               }
                                           }}});
        ended.TemizleClick(args);
        SendMessageW(ended.Control(exam::SinavForm::Baslat).Handle(), BM_CLICK, 0, 0);
        ended.now += 5s;
        ended.BaslatTimerTimer(args);
        testing_pc1::TypeInto(ended.Control(exam::SinavForm::Yazilan).Handle(), "Bir iki \xFC\xE7 ");
        ended.now += 3s;
        ended.SinavTimerTimer(args);
    }

    testing_pc1::ClockedSinavForm form(testing_pc1::RecordsInTheCurrentFolder(),
                                       (std::filesystem::current_path() / "Salon").wstring(), journals.wstring());
    testing_pc1::WindowWatcher watcher(
        {{L"TDevamForm", [&](HWND) {
              ::Check(form, {Phase::Unfinished, "21", 177'000, 3});
              for (int step = 0; step < 6; ++step)
                  SendMessageW(GetFocus(), WM_SYSKEYDOWN, '0' + testing_pc1::TestSequenceDigit(step), kAltContext | 1);
              SendMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
          }}});
    form.TemizleClick(args);
    ::Check(form, {Phase::Stopped, "21", 177'000, 3});
}

}  // namespace
