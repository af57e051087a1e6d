#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "exam/pure/ExamSession.h"

namespace {

using namespace std::chrono_literals;
using exam::ExamSession;
using Effects = ExamSession::Effects;
using Phase = ExamSession::Phase;

const ExamSession::Clock::time_point kT0{1000s};
const ExamSession::WallClock::time_point kWall0{std::chrono::hours(500000)};
const std::int64_t kWall0Ms = exam::WallMs(kWall0);

ExamSession::Instant At(std::chrono::milliseconds offset) { return {kT0 + offset, kWall0 + offset}; }

// Local time as the seconds since kWall0, which is all a test needs to tell instants apart.
result::LocalTime SecondsSinceStart(std::chrono::system_clock::time_point instant) {
    return {.second = static_cast<int>(std::chrono::duration_cast<std::chrono::seconds>(instant - kWall0).count())};
}

ExamSession MakeSession() {
    return ExamSession({.computerLabel = "PC1 - (PC07)",
                        .computerName = "PC07",
                        .version = "9.9",
                        .board = {},
                        .wordKey = text::PortableWordKey,
                        .localTime = &SecondsSinceStart});
}

// The effects in one line: the journal's events (with ! when on disk at once), then what the window shows and does.
std::string Describe(const Effects& effects) {
    std::string line;
    const auto add = [&](const std::string& part) { line += (line.empty() ? "" : " ") + part; };
    if (effects.openJournal)
        add("open(" + effects.openJournal->examId + "," + effects.openJournal->candidateNumber + ")");
    for (const journal::Event& event : effects.journal) {
        const std::string mark = effects.journalNow ? "!" : "";
        std::visit(
            [&](const auto& e) {
                using E = std::decay_t<decltype(e)>;
                if constexpr (std::is_same_v<E, journal::ClockStarted>) add("started" + mark);
                if constexpr (std::is_same_v<E, journal::Edit>)
                    add("edit" + mark + "(" + std::to_string(e.examMs) + "," + std::to_string(e.start) + "," +
                        std::to_string(e.removed) + ",'" + e.inserted + "')");
                if constexpr (std::is_same_v<E, journal::Tick>)
                    add("tick" + mark + "(" + std::to_string(e.examMs) + ")");
                if constexpr (std::is_same_v<E, journal::Stopped>)
                    add("stopped" + mark + "(" + std::to_string(e.examMs) + ")");
                if constexpr (std::is_same_v<E, journal::Resumed>)
                    add("resumed" + mark + "(" + std::to_string(e.examMs) + ")");
                if constexpr (std::is_same_v<E, journal::Continued>)
                    add("continued" + mark + "(" + std::to_string(e.examMs) + ")");
                if constexpr (std::is_same_v<E, journal::EndedAsItStood>)
                    add("ended" + mark + "(" + std::to_string(e.examMs) + ")");
                if constexpr (std::is_same_v<E, journal::TimeUp>)
                    add("timeup" + mark + "(" + std::to_string(e.examMs) + ")");
                if constexpr (std::is_same_v<E, journal::RecordKept>) add("kept" + mark + "(" + e.documentName + ")");
                if constexpr (std::is_same_v<E, journal::Printed>) add("printed" + mark);
            },
            event);
    }
    if (effects.edit) add("show-edit");
    if (effects.clockStarted) add("clock-started");
    if (effects.showClock) add("clock");
    if (effects.closeButton) add(*effects.closeButton ? "close-shown" : "close-hidden");
    if (effects.tellHall) add("hall");
    if (effects.timeUp) add("score");
    return line;
}

struct Step {
    std::string event;
    std::function<Effects(ExamSession&)> act;
    std::string effects;
    Phase after;
};

// One exam from its entry to its results, each event with what the window must do; the offsets are from the start
// click, so the clock starts at 5 s and its time is up at 185 s, less the supervisor's stop of 20 s.
TEST(ExamSession, AnExamsEventsAndTheirEffects) {
    ExamSession session = MakeSession();
    session.NewSession();
    const exam::TypedText::Range end3{3, 3};
    const Step steps[] = {
        {"candidate entered",
         [](ExamSession& s) {
             return s.CandidateEntered({"101",
                                        "AY\xDE"
                                        "E",
                                        "KAYA"});
         },
         "hall", Phase::Ready},
        {"typing before the start", [](ExamSession& s) { return s.Type({}, "x", At(0s)); }, "", Phase::Ready},
        {"start",
         [](ExamSession& s) {
             s.Start(kT0);
             return Effects{};
         },
         "", Phase::StartCountdown},
        {"sample shown",
         [](ExamSession& s) {
             return s.SampleShown({"abc", "Kedi geldi."}, "ID1", kWall0);
         },
         "open(ID1,101) hall", Phase::StartCountdown},
        {"countdown not over", [](ExamSession& s) { return s.Tick(At(2s)); }, "", Phase::StartCountdown},
        {"countdown over", [](ExamSession& s) { return s.StartClock(At(5s)); },
         "started clock-started clock close-hidden hall", Phase::Running},
        {"typed", [](ExamSession& s) { return s.Type({}, "Ked", At(6s)); }, "edit(1000,0,0,'Ked') show-edit",
         Phase::Running},
        {"erased",
         [=](ExamSession& s) {
             return s.Erase(end3, exam::TypedText::Direction::Backward, exam::TypedText::Reach::Character, At(7s));
         },
         "edit(2000,2,1,'') show-edit", Phase::Running},
        {"tick, the hall told long ago", [](ExamSession& s) { return s.Tick(At(8s)); }, "tick(3000) clock hall",
         Phase::Running},
        {"tick, the hall told just before",
         [](ExamSession& s) {
             s.HallState(At(8s), {}, "");
             return s.Tick(At(9500ms));
         },
         "tick(4500) clock", Phase::Running},
        {"sequence right", [](ExamSession& s) { return s.SequenceRight(kT0 + 10s, At(10250ms)); },
         "stopped!(5000) clock close-shown hall", Phase::Stopped},
        {"typing while stopped",
         [](ExamSession& s) {
             return s.Type({2, 2}, "d", At(12s));
         },
         "edit(5000,2,0,'d') show-edit", Phase::Stopped},
        {"Alt released", [](ExamSession& s) { return s.KeyReleased(0x12, true, kT0 + 29s, At(29s)); }, "",
         Phase::Stopped},
        {"another key released", [](ExamSession& s) { return s.KeyReleased('A', false, kT0 + 30s, At(30s)); },
         "resumed(5000) clock close-hidden hall", Phase::Running},
        {"a key before the time is up", [](ExamSession& s) { return s.EndIfTimeOver(At(204s)); }, "", Phase::Running},
        {"a key once the time is up",
         [](ExamSession& s) {
             return s.Type({3, 3}, "i", At(206s));
         },
         "timeup!(180000) score", Phase::Scoring},
        {"a tick after", [](ExamSession& s) { return s.Tick(At(207s)); }, "", Phase::Scoring},
        {"record kept", [](ExamSession& s) { return s.RecordKept("101.rtf", kWall0); }, "kept!(101.rtf)",
         Phase::Scoring},
        {"record not kept", [](ExamSession& s) { return s.RecordKept("", kWall0); }, "", Phase::Scoring},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(Describe(step.act(session)), step.effects) << step.event;
        EXPECT_EQ(session.Current(), step.after) << step.event;
    }
    EXPECT_EQ(session.Typed().Text(), "Ked");

    const ExamSession::Score score = session.ScoreExam("");
    EXPECT_EQ(score.record.candidateNumber, "101");
    EXPECT_EQ(score.record.examId, "ID1");
    EXPECT_EQ(score.record.clockStarted.second, 5);
    EXPECT_EQ(score.record.clockEnded.second, 205);  // 180 s of clock and the 20 s it stood
    EXPECT_EQ(score.record.typed, 1);
    EXPECT_EQ(score.record.wrong, 1);
    EXPECT_TRUE(score.record.interruptions.empty());
    session.Scored();
    EXPECT_TRUE(session.NewSession());
    EXPECT_TRUE(session.Typed().Text().empty());
    EXPECT_TRUE(session.ExamId().empty());
}

journal::JournalState Unfinished(journal::Stage stage, std::uint32_t examMs, std::string documentName = {}) {
    journal::JournalState state = journal::OpenedState({.examId = "OLD",
                                                        .candidateNumber = "202",
                                                        .firstName = "ALI",
                                                        .surname = "CAN",
                                                        .computer = "PC1 - (PC07)",
                                                        .computerName = "PC07",
                                                        .sampleIdentity = "abc",
                                                        .sampleText = "Kedi geldi.",
                                                        .wallMs = kWall0Ms});
    state.clockStartedWallMs = kWall0Ms + 5000;
    state.typed = "Kedi gel";
    state.examMs = examMs;
    state.lastWallMs = kWall0Ms + 5000 + examMs;
    state.stage = stage;
    state.timeUpWallMs = stage >= journal::Stage::TimeUp ? kWall0Ms + 185'000 : 0;
    state.documentName = std::move(documentName);
    return state;
}

// What becomes of a journal taken up, by its stage and the supervisor's choice; the take-up happens 1,000 s after
// the old exam's opening.
TEST(ExamSession, AJournalTakenUpComesBackAsTheSupervisorChooses) {
    using exam::ResumeChoice;
    using journal::Stage;
    const struct {
        std::string name;
        journal::JournalState state;
        ResumeChoice choice;
        std::string effects;
        Phase after;
        int interruptions;
        bool keptJournaled, printed;
    } cases[] = {
        {"continued", Unfinished(Stage::Running, 60'000), ResumeChoice::Continue, "continued!(60000) clock hall",
         Phase::Stopped, 1, false, false},
        {"ended as it stood", Unfinished(Stage::Running, 60'000), ResumeChoice::EndAsItStands,
         "ended!(60000) timeup!(60000) score", Phase::Scoring, 1, false, false},
        {"time up, record not kept", Unfinished(Stage::TimeUp, 180'000), ResumeChoice::EndAsItStands, "score",
         Phase::Scoring, 0, false, false},
        {"record kept, not printed", Unfinished(Stage::RecordKept, 180'000, "202.rtf"), ResumeChoice::EndAsItStands,
         "score", Phase::Scoring, 0, true, false},
        {"printed", Unfinished(Stage::Printed, 180'000, "202.rtf"), ResumeChoice::EndAsItStands, "score",
         Phase::Scoring, 0, true, true},
    };
    for (const auto& c : cases) {
        ExamSession session = MakeSession();
        session.NewSession();
        const exam::UnfinishedExam offered = session.Offer(c.state);
        EXPECT_EQ(offered.wordsTyped, 2) << c.name;
        const Effects effects = session.TakeUp(c.state, {"abc", "Kedi geldi."}, c.choice, At(1000s));
        EXPECT_EQ(Describe(effects), c.effects) << c.name;
        EXPECT_EQ(session.Current(), c.after) << c.name;
        EXPECT_EQ(session.CurrentCandidate().number, "202") << c.name;
        EXPECT_EQ(session.Typed().Text(), "Kedi gel") << c.name;
        EXPECT_EQ(Describe(session.RecordKept("202.rtf", kWall0)), c.keptJournaled ? "" : "kept!(202.rtf)") << c.name;
        EXPECT_EQ(session.AlreadyPrinted(), c.printed) << c.name;
        if (c.after == Phase::Scoring) {
            const ExamSession::Score score = session.ScoreExam("");
            EXPECT_EQ(score.record.examId, "OLD") << c.name;
            EXPECT_EQ(score.record.interruptions.size(), static_cast<std::size_t>(c.interruptions)) << c.name;
            EXPECT_EQ(score.record.correct, 1) << c.name;
        }
    }
}

// What the hall hears in each phase: nobody's exam while the entry dialog waits, the journal's exam while the
// supervisor chooses, and once taken up, where the journal gave it back.
TEST(ExamSession, TheHallHearsThePhaseAndTheExam) {
    ExamSession session = MakeSession();
    session.ChainHallStates(hall::StateChain(41, [](std::string_view bytes) { return std::to_string(bytes.size()); }));
    session.NewSession();
    hall::PcState waiting = session.HallState(At(0s), {}, "");
    EXPECT_EQ(waiting.phase, hall::Phase::Waiting);
    EXPECT_EQ(waiting.seq, 42);
    EXPECT_TRUE(waiting.examId.empty());

    const journal::JournalState state = Unfinished(journal::Stage::Running, 60'000);
    session.Offer(state);
    const hall::PcState offered = session.HallState(At(1s), {}, "");
    EXPECT_EQ(offered.phase, hall::Phase::Unfinished);
    EXPECT_EQ(offered.examId, "OLD");
    EXPECT_EQ(offered.candidateNumber, "202");
    EXPECT_EQ(offered.msLeft, 120'000);
    EXPECT_EQ(offered.wordsTyped, 2);

    session.TakeUp(state, {"abc", "Kedi geldi."}, exam::ResumeChoice::Continue, At(2s));
    const hall::PcState stopped = session.HallState(At(3s), {.notPrinted = true}, "G\xFCnl\xFCk yaz\xFDlam\xFDyor");
    EXPECT_EQ(stopped.phase, hall::Phase::Stopped);
    EXPECT_EQ(stopped.msLeft, 120'000);
    EXPECT_EQ(stopped.takenUp, (hall::TakenUp{2, 120'000}));
    EXPECT_TRUE(stopped.problems.notPrinted);
    EXPECT_EQ(stopped.journalProblem, "G\xC3\xBCnl\xC3\xBCk yaz\xC4\xB1lam\xC4\xB1yor");
    EXPECT_EQ(stopped.seq, 44);
}

}  // namespace
