#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

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
    std::optional<hall::TakenUp> takenUp{};
};

hall::PcState StateOf(const Sight& s) {
    return {.label = "PC07",
            .computer = "PC07",
            .phase = s.phase,
            .candidateNumber = "101",
            .msLeft = s.msLeft,
            .wordsTyped = s.words,
            .examId = "E1",
            .digest = s.digest,
            .takenUp = s.takenUp};
}

// The record of E1: 09:00:00 to 09:03:00, 50 words typed, the digest "end".
hall::ResultLine Record() {
    hall::ResultLine line{.date = "08.12.2026", .started = "09:00:00", .ended = "09:03:00", .pc = "PC07"};
    line.candidateNumber = "101", line.typed = 50, line.correct = 45, line.wrong = 5, line.net = 40;
    line.examId = "E1", line.hallDigest = "end";
    return line;
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

const Sight kStart{5, Phase::Running, 0, 180'000, "a"}, kMid{100, Phase::Running, 30, 85'000, "b"},
    kKilled{112, Phase::Running, 30, 85'000, "b", false}, kEnd{181, Phase::TimeUp, 50, 0, "end"};
const std::vector<Sight> kWholeExam = {kStart, kMid, kEnd}, kInterrupted = {kStart, kMid, kKilled};

// Each verdict by its first words, for the console watching all the while (-60 to 300 s) unless the case says.
TEST(HallWitness, JudgesEachRecordByWhatTheConsoleSaw) {
    const auto after = [](Sight back) { return std::vector{kStart, kMid, kKilled, back, kEnd}; };
    using Change = std::function<void(hall::ResultLine&)>;
    const struct {
        std::string name;
        std::vector<Sight> sights;
        Change change;
        std::string verdict;
        bool warning;
        int from = -60, to = 300;
    } cases[] = {
        {"seen from its start to its end", kWholeExam, {}, "Salon g\xF6rd\xFC", false},
        {"never seen while the console watched", {}, {}, "Salon bu s\xFDnav\xFD g\xF6rmedi", true},
        {"the console not running", {}, {}, "Salon izlemiyordu", false, 0, -1},
        {"the console started after the exam", {}, {}, "Salon izlemiyordu", false, 400, 500},
        {"the console started in the exam's last seconds", {}, {}, "Salon izlemiyordu", false, 170, 300},
        {"the console started mid-exam", {}, {}, "Salon bu s\xFDnav\xFD g\xF6rmedi", true, 90, 300},
        {"another text", kWholeExam, [](auto& l) { l.hallDigest = "forged"; }, "Metin salonun", true},
        {"more words", kWholeExam, [](auto& l) { l.typed = 60, l.correct = 55, l.net = 50; }, "Kelime", true},
        {"another candidate", kWholeExam, [](auto& l) { l.candidateNumber = "102"; }, "Aday", true},
        {"continued with the words it had", after({150, Phase::Unfinished, 36, 84'500, "c"}), {}, "Salon g", false},
        {"continued with more words", after({150, Phase::Unfinished, 39, 85'000, "c"}), {}, "Kesintiden", true},
        {"continued with more time", after({150, Phase::Running, 30, 120'000, "b"}), {}, "Kesintiden", true},
        // Taken up from its journal and ended at once, its PC's silence and its take-up's phase both unseen.
        {"ended as it stood, as seen",
         {kStart, kMid, {150, Phase::TimeUp, 50, 0, "end", true, false, {{32, 84'500}}}},
         {},
         "Salon g",
         false},
        {"ended with more words",
         {kStart, kMid, {150, Phase::TimeUp, 50, 0, "end", true, false, {{45, 84'000}}}},
         {},
         "Kesintiden",
         true},
        {"ended with more time",
         {kStart, kMid, {150, Phase::TimeUp, 50, 0, "end", true, false, {{30, 120'000}}}},
         {},
         "Kesintiden",
         true},
        {"two writers", after({150, Phase::Running, 31, 80'000, "c", true, true}), {}, "Durum dosyas", true},
        {"counts no exam gives", kWholeExam, [](auto& l) { l.correct = 95; }, "Say\xFDlar olamaz", true},
        {"the console started after its PC stopped",
         {kKilled, {150, Phase::Unfinished, 34, 84'500, "c"}, kEnd},
         {},
         "Salon g",
         false,
         95,
         300},
        {"the console started while it was unfinished",
         {{150, Phase::Unfinished, 34, 84'500, "c"}, kEnd},
         {},
         "Salon g",
         false,
         140,
         300},
        {"its end not watched", kInterrupted, [](auto& l) { l.hallDigest = "later"; }, "Salon s\xFDnav\xFDn sonunu",
         false, -60, 120},
        {"killed and never seen again while watched",
         kInterrupted,
         {},
         "Kelime say\xFDs\xFD salonun g\xF6rd\xFC\xF0\xFC 30; Metin",
         true},
        {"no exam id: an older PC1", kWholeExam, [](auto& l) { l.examId.clear(); }, "S\xFDnav kimli\xF0i yok", false},
    };
    for (const bool restarts : {false, true}) {
        for (const auto& c : cases) {
            hall::ResultLine line = Record();
            if (c.change) c.change(line);
            std::vector<hall::RankedResult> results{{line, 1}};
            hall::JudgeResults(results, Witnessed(c.from, c.to, c.sights, restarts), 0min, false);
            const hall::Verdict& verdict = results.at(0).verdict;
            EXPECT_TRUE(verdict.text.starts_with(c.verdict) && verdict.warning == c.warning)
                << c.name << (restarts ? ", restarted: " : ": ") << verdict.text;
        }
    }
}

// An exam seen under way that is over, its PC gone on to the next candidate or the day gone, is listed without its
// record.
TEST(HallWitness, ListsAnExamSeenUnderWayThatLeftNoRecord) {
    const struct {
        std::string name;
        bool pcWentOn, dayOver, recorded, listed;
    } cases[] = {{"still under way", false, false, false, false},
                 {"the PC went on", true, false, false, true},
                 {"the day is over", false, true, false, true},
                 {"recorded", true, true, true, false}};
    for (const auto& c : cases) {
        hall::HallWitness witness = Witnessed(0, 10, {kStart}, false);
        if (c.pcWentOn) witness.Saw({.computer = "PC07", .phase = Phase::Waiting}, true, false, kNine + 11s);
        std::vector<hall::RankedResult> results;
        if (c.recorded) results.push_back({Record(), 1});
        hall::JudgeResults(results, witness, 0min, c.dayOver);
        EXPECT_EQ(std::ranges::any_of(results, [](auto& r) { return r.verdict.text.starts_with("Kayd\xFD yok"); }),
                  c.listed)
            << c.name;
    }
}

// The sequence goes on from the file's; the digest moves with the text, chained, and starts again from the exam id.
TEST(StateChain, NumbersEveryStateAndChainsTheText) {
    hall::StateChain chain(41, [](std::string_view bytes) { return "h(" + std::string(bytes) + ")"; });
    const struct {
        std::string examId, typed;
        std::int64_t seq;
        std::string digest;
    } steps[] = {{"", "", 42, ""},
                 {"E1", "ab", 43, "h(E1ab)"},
                 {"E1", "ab", 44, "h(E1ab)"},
                 {"E1", "abc", 45, "h(h(E1ab)abc)"},
                 {"E2", "", 46, "h(E2)"}};
    for (const auto& step : steps) {
        hall::PcState state{.examId = step.examId};
        chain.Stamp(state, step.typed);
        EXPECT_EQ(std::tie(state.seq, state.digest), std::tie(step.seq, step.digest)) << step.typed;
    }
}

}  // namespace
