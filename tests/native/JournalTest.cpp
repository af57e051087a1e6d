#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "journal/pure/ExamId.h"
#include "journal/pure/JournalFormat.h"

namespace {

using namespace journal;
using namespace std::string_literals;

constexpr std::int64_t kOpened = 1'796'654'000'000;  // 2026-12-07, 14:20 UTC

Opening SampleOpening() {
    return {"20261207-142000-7f3a09c2",
            "1234567",
            "G\xFCl",
            "\xDDnce Y\xFDlmaz",
            "PC1 - (PC07)",
            "PC07",
            std::string(64, 'a'),
            "Yaz\xFD bu.\r\n\xDDkinci sat\xFDr.",
            kOpened};
}

// A candidate's exam as its writer commits it, a few events to a frame: a few hundred keys with erasures and line
// breaks, the clock's seconds, the supervisor's stop, a crash continued, and the end as it stood after another.
std::vector<std::vector<Event>> ExamFrames() {
    std::mt19937 random(1254);
    std::vector<Event> events{ClockStarted{kOpened + 5'000}};
    std::string typed;
    std::uint32_t ms = 0;
    std::int64_t wall = kOpened + 5'000;
    for (int key = 1; key <= 400; ++key) {
        const std::uint32_t step = 30 + random() % 150;
        ms += step, wall += step;
        const int roll = static_cast<int>(random() % 20);
        const auto size = static_cast<std::uint32_t>(typed.size());
        const std::uint32_t last = typed.ends_with("\r\n") ? 2 : 1;
        Edit edit{ms, size, 0, "\xE7\xFE\xF0 abc"s.substr(random() % 7, 1)};
        if (roll < 3 && size > 0) edit = {ms, size - last, last, ""};
        if (roll == 3) edit.inserted = "\r\n";
        if (roll == 4 && size > 5) edit = {ms, size / 2, 3, "\xFC"};
        typed.replace(edit.start, edit.removed, edit.inserted);
        events.push_back(edit);
        if (key % 15 == 0) events.emplace_back(Tick{ms, wall});
        if (key == 150) events.emplace_back(Stopped{ms, wall}), events.emplace_back(Resumed{ms, wall += 7'000});
        if (key == 250)
            events.emplace_back(Continued{wall, wall + 60'000, ms}), events.emplace_back(Resumed{ms, wall += 60'000});
    }
    for (const Event& end :
         {Event{EndedAsItStood{wall, wall + 90'000, ms}}, Event{TimeUp{ms, wall + 90'000}},
          Event{RecordKept{wall + 90'100, "2026-12-07_1420_PC07_1234567.rtf"}}, Event{Printed{wall + 95'000}}}) {
        events.push_back(end);
    }
    std::vector<std::vector<Event>> frames;
    for (std::size_t at = 0; at < events.size(); at += 4)
        frames.emplace_back(events.begin() + at, events.begin() + std::min(at + 4, events.size()));
    return frames;
}

// The journal's bytes, and after each whole frame (the opening first) the file's length and its state.
struct Journal {
    std::string bytes;
    std::vector<std::size_t> ends;
    std::vector<JournalState> states;
};

Journal ExamJournal() {
    Journal exam{EncodeHeader() + EncodeOpening(SampleOpening()), {}, {OpenedState(SampleOpening())}};
    exam.ends.push_back(exam.bytes.size());
    for (const std::vector<Event>& frame : ExamFrames()) {
        exam.bytes += EncodeFrame(frame);
        exam.ends.push_back(exam.bytes.size());
        exam.states.push_back(exam.states.back());
        for (const Event& event : frame) EXPECT_TRUE(exam.states.back().Apply(event));
    }
    return exam;
}

// What the reader must make of bytes of which the first `whole` are intact: the state of the frames within them.
void ExpectPrefixState(const Journal& exam, std::string_view bytes, std::size_t whole, const std::string& what) {
    const ReadResult read = ReadJournal(bytes);
    const auto after = std::ranges::upper_bound(exam.ends, whole);
    if (after == exam.ends.begin()) {
        EXPECT_FALSE(read.state) << what;
        return;
    }
    const auto frame = static_cast<std::size_t>(after - exam.ends.begin() - 1);
    EXPECT_EQ(read.validBytes, exam.ends[frame]) << what;
    EXPECT_TRUE(read.state == exam.states[frame]) << what;
}

TEST(Journal, AJournalCutAnywhereReadsBackToItsWholeFrames) {
    const Journal exam = ExamJournal();
    ASSERT_EQ(exam.states.back().stage, Stage::Printed);
    for (std::size_t cut = 0; cut <= exam.bytes.size(); ++cut)
        ExpectPrefixState(exam, std::string_view(exam.bytes).substr(0, cut), cut, "cut at " + std::to_string(cut));
}

// A flipped bit ends the reading at its frame: never a state that the writer did not have.
TEST(Journal, ADamagedFrameEndsTheReadingThere) {
    const Journal exam = ExamJournal();
    for (std::size_t at = 0; at < exam.bytes.size(); ++at) {
        std::string damaged = exam.bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ (1 << (at % 8)));
        ExpectPrefixState(exam, damaged, at, "bit flipped at " + std::to_string(at));
    }
}

TEST(Journal, ACheckpointHoldsTheWholeState) {
    const JournalState state = ExamJournal().states.back();
    ASSERT_EQ(state.interruptions.size(), 2u);
    const std::string file = EncodeHeader() + EncodeCheckpoint(state);
    const ReadResult read = ReadJournal(file);
    EXPECT_TRUE(read.state == state);
    EXPECT_EQ(read.validBytes, file.size());
}

TEST(Journal, FilesThatAreNoJournalOfOursAreRefusedWithTheReason) {
    std::string newer = EncodeHeader() + EncodeOpening(SampleOpening());
    newer[4] = 2;
    const struct {
        std::string name, bytes, reason;
    } cases[] = {
        {"a text file", "Metin", "g\xFCnl\xFC\xF0\xFC de\xF0il"},
        {"a newer format", newer, "bi\xE7im s\xFCr\xFCm\xFC 2)"},
        {"the header alone", EncodeHeader(), "a\xE7\xFDl\xFD\xFE kayd\xFD yok"},
        {"events first", EncodeHeader() + EncodeFrame(ExamFrames()[0]), "a\xE7\xFDl\xFD\xFE kayd\xFD yok"},
    };
    for (const auto& c : cases) {
        const ReadResult read = ReadJournal(c.bytes);
        EXPECT_FALSE(read.state) << c.name;
        EXPECT_NE(read.refusal.find(c.reason), std::string::npos) << c.name << ": " << read.refusal;
    }
}

// What cannot follow is refused whole: a reader that took it would stop there and lose everything after.
TEST(Journal, EventsFollowOnlyWhereTheExamCanBe) {
    const struct {
        std::string name;
        std::vector<Event> before;
        Event refused;
    } cases[] = {
        {"an edit beyond the text", {Edit{0, 0, 0, "ab"}}, Edit{0, 1, 2, ""}},
        {"a tick before the clock starts", {}, Tick{0, kOpened}},
        {"the clock started twice", {ClockStarted{kOpened}}, ClockStarted{kOpened}},
        {"a resume of a running clock", {ClockStarted{kOpened}}, Resumed{0, kOpened}},
        {"a tick of a continued exam before it goes on",
         {ClockStarted{kOpened}, Continued{kOpened, kOpened, 0}},
         Tick{0, kOpened}},
        {"an edit after the time is up", {ClockStarted{kOpened}, TimeUp{180'000, kOpened}}, Edit{0, 0, 0, "a"}},
        {"a record kept before the time is up", {ClockStarted{kOpened}}, RecordKept{kOpened, "a.rtf"}},
        {"an edit after the end as it stood", {EndedAsItStood{kOpened, kOpened, 0}}, Edit{0, 0, 0, "a"}},
        {"a resume after the end as it stood",
         {ClockStarted{kOpened}, EndedAsItStood{kOpened, kOpened, 0}},
         Resumed{0, kOpened}},
    };
    for (const auto& c : cases) {
        JournalState state = OpenedState(SampleOpening());
        for (const Event& event : c.before) ASSERT_TRUE(state.Apply(event)) << c.name;
        const JournalState before = state;
        EXPECT_FALSE(state.Apply(c.refused)) << c.name;
        EXPECT_TRUE(state == before) << c.name;
        // In one frame with what came before it, the whole frame is refused, its edits undone.
        std::vector<Event> frame = c.before;
        frame.push_back(c.refused);
        const ReadResult read = ReadJournal(EncodeHeader() + EncodeOpening(SampleOpening()) + EncodeFrame(frame));
        EXPECT_TRUE(read.state == OpenedState(SampleOpening())) << c.name;
    }
}

// The wall clock runs with the exam clock, not while it stands; an old exam time does not turn the clock back.
TEST(Journal, TheLastWallTimeRunsWithTheExamClock) {
    JournalState state = OpenedState(SampleOpening());
    for (const Event& event :
         {Event{ClockStarted{kOpened}}, Event{Edit{900, 0, 0, "a"}}, Event{Stopped{1'000, kOpened + 1'000}},
          Event{Edit{1'000, 1, 0, "b"}}, Event{Resumed{1'000, kOpened + 61'000}}, Event{Edit{1'500, 2, 0, "c"}},
          Event{Edit{1'400, 3, 0, "d"}}}) {
        ASSERT_TRUE(state.Apply(event));
    }
    EXPECT_EQ(state.examMs, 1'500u);
    EXPECT_EQ(state.lastWallMs, kOpened + 61'500);
    EXPECT_EQ(state.typed, "abcd");
}

TEST(Journal, AnExamIdStartsWithItsLocalTime) {
    EXPECT_EQ(NewExamId(2026, 12, 7, 14, 30, 12, 0x7f3a09c2), "20261207-143012-7f3a09c2");
    EXPECT_EQ(NewExamId(2027, 1, 2, 3, 4, 5, 0xA), "20270102-030405-0000000a");
}

}  // namespace
