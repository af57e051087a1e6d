#include <gtest/gtest.h>

#include <functional>

#include "hall/pure/HallWitness.h"
#include "hall/pure/StateChain.h"

namespace {

using hall::Phase;
using namespace std::chrono_literals;

// The console's clock is UTC here: the records' local times are its own.
const hall::Instant kNine = std::chrono::sys_days(std::chrono::year(2026) / 12 / 8) + 9h;

// What the console read of PC07's exam E1 at a second after nine.
struct Sight {
    int at;
    Phase phase;
    std::int64_t words, msLeft;
    std::string digest;
    bool answering = true, twoWriters = false;
    std::string candidate = "101";
};

hall::PcState StateOf(const Sight& sight) {
    return {.label = "PC07",
            .computer = "PC07",
            .phase = sight.phase,
            .candidateNumber = sight.candidate,
            .msLeft = sight.msLeft,
            .wordsTyped = sight.words,
            .examId = "E1",
            .digest = sight.digest};
}

// The record of E1: 09:00:00 to 09:03:00, 50 words typed, the digest "end".
hall::ResultLine Record() {
    return {.date = "08.12.2026",
            .started = "09:00:00",
            .ended = "09:03:00",
            .pc = "PC07",
            .candidateNumber = "101",
            .typed = 50,
            .correct = 45,
            .wrong = 5,
            .net = 40,
            .examId = "E1",
            .hallDigest = "end"};
}

// The console watching from `from` to `to` (seconds after nine), reading the sights as they come; with `restarts`, its
// witness written and read back before every reading, as a console started again finds it.
hall::HallWitness Witnessed(int from, int to, const std::vector<Sight>& sights, bool restarts) {
    hall::HallWitness witness;
    for (int at = from; at <= to; ++at) {
        if (restarts) witness = *hall::HallWitness::Decode(witness.Encode());
        for (const Sight& sight : sights)
            if (sight.at == at) witness.Saw(StateOf(sight), sight.answering, sight.twoWriters, kNine + 1s * at);
        witness.Watching(kNine + 1s * at);
    }
    return witness;
}

const std::vector<Sight> kWholeExam = {
    {5, Phase::Running, 0, 180'000, "a"}, {100, Phase::Running, 30, 85'000, "b"}, {181, Phase::TimeUp, 50, 0, "end"}};

TEST(HallWitness, JudgesEachRecordByWhatTheConsoleSaw) {
    const std::string seen = "Salon g\xF6rd\xFC", notSeen = "Salon bu s\xFDnav\xFD g\xF6rmedi";
    const std::vector<Sight> interrupted = {{5, Phase::Running, 0, 180'000, "a"},
                                            {100, Phase::Running, 30, 85'000, "b"},
                                            {112, Phase::Running, 30, 85'000, "b", false}};
    const auto after = [&](Sight back) {
        std::vector<Sight> sights = interrupted;
        sights.push_back(back);
        sights.push_back({181, Phase::TimeUp, 50, 0, "end"});
        return sights;
    };
    const struct {
        std::string name;
        int from, to;
        std::vector<Sight> sights;
        std::function<void(hall::ResultLine&)> change;
        std::string verdict;
        bool warning;
    } cases[] = {
        {"seen from its start to its end", -60, 300, kWholeExam, {}, seen, false},
        {"never seen while the console watched", -60, 300, {}, {}, notSeen, true},
        {"the console not running", 0, -1, {}, {}, "Salon izlemiyordu", false},
        {"the console started after the exam", 400, 500, {}, {}, "Salon izlemiyordu", false},
        {"the console started in the exam's last seconds", 170, 300, {}, {}, "Salon izlemiyordu", false},
        {"the console started mid-exam", 90, 300, {}, {}, notSeen, true},
        {"another text", -60, 300, kWholeExam, [](auto& l) { l.hallDigest = "forged"; },
         "Metin salonun g\xF6rd\xFC\xF0\xFC metin de\xF0il", true},
        {"more words", -60, 300, kWholeExam, [](auto& l) { l.typed = 250, l.correct = 245, l.net = 240; },
         "Kelime say\xFDs\xFD salonun g\xF6rd\xFC\xF0\xFC 50", true},
        {"another candidate", -60, 300, kWholeExam, [](auto& l) { l.candidateNumber = "102"; },
         "Aday salonda g\xF6r\xFClenden farkl\xFD", true},
        {"continued with the words it had",
         -60,
         300,
         after({150, Phase::Unfinished, 36, 84'500, "c"}),
         {},
         seen,
         false},
        {"continued with more words than seen",
         -60,
         300,
         after({150, Phase::Unfinished, 39, 85'000, "c"}),
         {},
         "Kesintiden sonra salonun son g\xF6rd\xFC\xF0\xFCnden fazla metin veya s\xFCre",
         true},
        {"continued with more time than seen",
         -60,
         300,
         after({150, Phase::Running, 30, 120'000, "b"}),
         {},
         "Kesintiden sonra salonun son g\xF6rd\xFC\xF0\xFCnden fazla metin veya s\xFCre",
         true},
        {"two writers of the state file",
         -60,
         300,
         after({150, Phase::Running, 31, 80'000, "c", true, true}),
         {},
         "Durum dosyas\xFDna iki program yazd\xFD",
         true},
        {"counts no exam gives", -60, 300, kWholeExam, [](auto& l) { l.correct = 95; },
         "Say\xFDlar olamaz (do\xF0ru + yanl\xFD\xFE = yaz\xFDlan, net = do\xF0ru - yanl\xFD\xFE)", true},
        {"the console started after its PC stopped",
         95,
         300,
         {{100, Phase::Running, 30, 85'000, "b", false},
          {150, Phase::Unfinished, 34, 84'500, "c"},
          {181, Phase::TimeUp, 50, 0, "end"}},
         {},
         seen,
         false},
        {"the console started while it was unfinished",
         140,
         300,
         {{150, Phase::Unfinished, 34, 84'500, "c"}, {181, Phase::TimeUp, 50, 0, "end"}},
         {},
         seen,
         false},
        {"its end not watched", -60, 120, interrupted, [](auto& l) { l.hallDigest = "later"; },
         "Salon s\xFDnav\xFDn sonunu izlemiyordu", false},
        {"killed and never seen again while watched",
         -60,
         300,
         interrupted,
         {},
         "Kelime say\xFDs\xFD salonun g\xF6rd\xFC\xF0\xFC 30; Metin salonun g\xF6rd\xFC\xF0\xFC metin de\xF0il",
         true},
        {"no exam id: an older PC1", -60, 300, kWholeExam, [](auto& l) { l.examId.clear(); },
         "S\xFDnav kimli\xF0i yok: salon tan\xFDkl\xFDk edemez", false},
    };
    for (const bool restarts : {false, true}) {
        for (const auto& c : cases) {
            hall::ResultLine line = Record();
            if (c.change) c.change(line);
            std::vector<hall::RankedResult> results{{line, 1}};
            hall::JudgeResults(results, Witnessed(c.from, c.to, c.sights, restarts), 0min, false);
            ASSERT_EQ(results.size(), 1u) << c.name;
            EXPECT_EQ(results[0].verdict.text, c.verdict) << c.name << (restarts ? ", restarted" : "");
            EXPECT_EQ(results[0].verdict.warning, c.warning) << c.name << (restarts ? ", restarted" : "");
        }
    }
}

// An exam seen under way that is over, its PC gone on to the next candidate or the day gone, is listed without its
// record.
TEST(HallWitness, ListsAnExamSeenUnderWayThatLeftNoRecord) {
    const struct {
        std::string name;
        bool pcWentOn, dayOver, recorded;
        std::size_t rows;
    } cases[] = {
        {"still under way", false, false, false, 0},
        {"the PC went on", true, false, false, 1},
        {"the day is over", false, true, false, 1},
        {"recorded", true, true, true, 1},
    };
    for (const auto& c : cases) {
        hall::HallWitness witness = Witnessed(0, 10, {{5, Phase::Running, 7, 170'000, "a"}}, false);
        if (c.pcWentOn) witness.Saw({.computer = "PC07", .phase = Phase::Waiting}, true, false, kNine + 11s);
        std::vector<hall::RankedResult> results;
        if (c.recorded) results.push_back({Record(), 1});
        hall::JudgeResults(results, witness, 0min, c.dayOver);
        ASSERT_EQ(results.size(), c.rows) << c.name;
        if (c.rows && !c.recorded) {
            EXPECT_EQ(results[0].verdict.text, "Kayd\xFD yok: s\xFDnav salonda g\xF6r\xFCld\xFC, tutana\xF0\xFD yok");
        }
    }
}

// The sequence goes on from the file's; the digest moves with the text, chained, and starts again from the exam id.
TEST(StateChain, NumbersEveryStateAndChainsTheText) {
    hall::StateChain chain(41, [](std::string_view bytes) { return "h(" + std::string(bytes) + ")"; });
    const struct {
        std::string examId, typed;
        std::int64_t seq;
        std::string digest;
    } steps[] = {
        {"", "", 42, ""},
        {"E1", "ab", 43, "h(E1ab)"},
        {"E1", "ab", 44, "h(E1ab)"},
        {"E1", "abc", 45, "h(h(E1ab)abc)"},
        {"E2", "", 46, "h(E2)"},
    };
    for (const auto& step : steps) {
        hall::PcState state{.examId = step.examId};
        chain.Stamp(state, step.typed);
        EXPECT_EQ(std::tie(state.seq, state.digest), std::tie(step.seq, step.digest)) << step.typed;
    }
}

}  // namespace
