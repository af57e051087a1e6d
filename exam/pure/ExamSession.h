// One candidate's exam, whole: its phase and clocks, who sits it and against which sample, the typed text, the
// supervisor's stops, the interruptions an ended program left, and what the hall is told. The exam window hands it
// every event (a key that types or erases, a key released, a tick, the supervisor's sequence, a journal taken up) and
// carries out what it returns: the journal's events, what to show, whether to tell the hall, and once the time is up
// the record to keep and print. No Windows header: the exam's rules are tested natively, as events and effects.
#pragma once

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/pure/Settings.h"
#include "exam/pure/ExamState.h"
#include "exam/pure/SupervisorSequence.h"
#include "exam/pure/TypedText.h"
#include "exam/pure/UnfinishedExam.h"
#include "hall/pure/StateChain.h"
#include "journal/pure/Events.h"
#include "journal/pure/JournalState.h"
#include "result/pure/ExamRecord.h"
#include "text/TextAnalysis.h"

namespace exam {

struct Candidate {
    std::string number, firstName, surname;  // Windows-1254
    friend bool operator==(const Candidate&, const Candidate&) = default;
};

// The sample as the exam scores it: Metin.rtf's identity and its plain text as its control shows it.
struct SampleIdentity {
    std::string identity;  // hex SHA-256 of Metin.rtf's bytes
    std::string text;      // Windows-1254
};

// What the session takes from the computer it runs on; Windows' own on a PC, fixed ones in tests.
struct SessionSurroundings {
    std::string computerLabel;  // "PC1 - (PC07)", Windows-1254
    std::string computerName;   // Windows-1254
    std::string version;        // the program's, as the hall reads it
    config::ExamBoard board;
    text::WordKey wordKey;  // how words compare when scored
    result::LocalTime (*localTime)(std::chrono::system_clock::time_point) = nullptr;
};

// The journal's times: milliseconds of the system clock since 1970.
std::int64_t WallMs(std::chrono::system_clock::time_point instant);
std::chrono::system_clock::time_point WallAt(std::int64_t ms);

class ExamSession {
public:
    using Clock = ExamState::Clock;
    using WallClock = ExamState::WallClock;
    using Instant = ExamState::Instant;
    using Phase = ExamState::Phase;

    // How often the hall hears of an exam whose clock runs or stands stopped; the clock's ticks come each second, a
    // little early or late, so every second one tells it.
    static constexpr std::chrono::milliseconds kHallPeriod{1750};

    // What the window does after an event, in this order.
    struct Effects {
        std::optional<journal::Opening> openJournal{};  // a new exam's journal, before its events
        std::vector<journal::Event> journal{};          // written in order...
        bool journalNow = false;                // ...and on disk before anything else: the exam's course changed
        std::optional<TypedText::Edit> edit{};  // the typing area shows this change of the text
        std::size_t firstWordChanged = 0;       // ... in which the words before this one are as they were
        bool clockStarted = false;              // the start countdown gives way to the exam clock
        bool showClock = false;                 // the exam clock's seconds, and its next tick or stopped beat
        std::optional<bool> closeButton{};      // shown or hidden
        bool tellHall = false;
        bool timeUp = false;  // the exam is scored and kept: Score, then RecordKept, then Scored
    };

    // Scoring's outcome: the results to show and the record to keep and print.
    struct Score {
        text::ScoreResult result;
        std::vector<text::WordSpan> wrongSpans{};  // where the typed text's wrong words are, to underline
        result::ExamRecord record{};
    };

    explicit ExamSession(SessionSurroundings surroundings);

    const ExamState& Exam() const { return exam_; }
    Phase Current() const { return exam_.Current(); }
    const TypedText& Typed() const { return typed_; }
    const Candidate& CurrentCandidate() const { return candidate_; }
    const std::string& SampleText() const { return sample_.text; }
    const std::string& ExamId() const { return examId_; }
    bool CloseButtonShown() const { return closeButtonShown_; }

    // The session cycle. A session begins at start-up and after an exam's results are shown, and at no other time.
    bool NewSession();
    Effects CandidateEntered(Candidate candidate);
    bool Start(Clock::time_point now);
    // The sample is on screen: the exam's journal opens.
    Effects SampleShown(SampleIdentity sample, std::string examId, WallClock::time_point now);
    // The start countdown's five seconds have passed, or the candidate released a key during them: the clock starts.
    Effects StartClock(Instant now);

    // The candidate's keys. Once the exam's time has passed, a key ends it instead of typing: the candidate never gets
    // more than the exam's time. Outside the exam a key changes nothing.
    Effects Type(TypedText::Range selection, std::string_view characters, Instant now);
    Effects Erase(TypedText::Range selection, TypedText::Direction direction, TypedText::Reach reach, Instant now);
    // A clock the supervisor stopped goes on at the next key released, as of its release, unless it is one of the
    // sequence's own keys (Alt, and the digits pressed with it) still being released; the start countdown gives way
    // to the clock at any key released.
    Effects KeyReleased(std::uint8_t key, bool alt, Clock::time_point released, Instant now);

    // The digits pressed with the supervisor's Alt so far, which the window checks against the installation's hash.
    SupervisorSequence& Sequence() { return sequence_; }
    // A digit pressed with the supervisor's Alt, or a key held as an exam comes back: its release resumes nothing.
    void SupervisorKeyDown(std::uint8_t key) { supervisorKeys_[key] = true; }
    // The sequence was right: a running clock stops as of its last key's press; the close button shows.
    Effects SequenceRight(Clock::time_point pressed, Instant now);

    // The exam clock's tick, or its beat while stopped.
    Effects Tick(Instant now);
    Effects EndIfTimeOver(Instant now);

    // An unfinished exam's journal, while the supervisor chooses what becomes of it: the hall hears of it.
    UnfinishedExam Offer(const journal::JournalState& state);
    // The supervisor's choice: the exam comes back stopped as its journal left it, then goes on, or ends as it stood,
    // or, when its time was up, is completed. The window has continued the journal itself.
    Effects TakeUp(const journal::JournalState& state, SampleIdentity sample, ResumeChoice choice, Instant now);

    // Scoring, once the time is up; `journalProblem` goes on the record.
    Score ScoreExam(std::string journalProblem);
    // The scored exam's wrong words, underlined wherever its text is shown.
    const std::vector<text::WordSpan>& WrongSpans() const { return wrongSpans_; }
    // The record is on disk as `documentName` (empty when it is not): the journal says so, unless it said so already.
    Effects RecordKept(std::string documentName, WallClock::time_point now) const;
    // A completed exam whose journal says it was printed is not printed again.
    bool AlreadyPrinted() const { return completing_ == journal::Stage::Printed; }
    void Scored() { exam_.Scored(); }

    // The hall's states are chained from the last one this PC wrote; without a chain the hall is not told.
    void ChainHallStates(hall::StateChain chain) { hallChain_.emplace(std::move(chain)); }
    // This PC's state for the hall now, stamped.
    hall::PcState HallState(Instant now, hall::Problems problems, std::string_view journalProblem);

    // The characters the status bar counts: a line break counts two, and so does each line the typing area displays
    // (`displayedLines`), wrapped ones too; a last empty line does not count.
    int CharactersShown(int displayedLines) const;

private:
    std::uint32_t ExamMs(Clock::time_point now) const;
    Effects TimeUpNow(Instant now);
    Effects Edited(const std::optional<TypedText::Edit>& edit, Instant now);
    result::Interruption InterruptionOf(const journal::Interruption& interruption) const;

    SessionSurroundings surroundings_;
    ExamState exam_;
    TypedText typed_;
    Candidate candidate_;
    SampleIdentity sample_;
    std::string examId_;
    SupervisorSequence sequence_;
    std::bitset<256> supervisorKeys_;
    bool closeButtonShown_ = false;
    std::vector<result::Interruption> interruptions_;
    std::vector<text::WordSpan> wrongSpans_;
    std::optional<UnfinishedExam> offered_;     // told to the hall while the supervisor chooses
    std::optional<hall::TakenUp> takenUp_;      // the exam under way as its journal gave it back, if it was
    std::optional<journal::Stage> completing_;  // the stage of an exam completed from its journal
    bool recordJournaled_ = false;              // ... whose journal names its record already
    std::optional<hall::StateChain> hallChain_;
    Clock::time_point lastToldTheHall_{};
};

}  // namespace exam
