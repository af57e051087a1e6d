#include "hall/pure/HallWitness.h"

#include <algorithm>
#include <array>
#include <unordered_set>
#include <utility>

#include "platform/pure/LineEscaping.h"
#include "text/Cp1254Unicode.h"

namespace hall {

namespace {

using std::chrono::milliseconds;
using namespace std::chrono_literals;

constexpr std::string_view kFirstLine = "pc1-salon-witness=1";
constexpr std::string_view kWatchTag = "watch", kExamTag = "exam";
// The flags of an exam, one letter each, in this order.
constexpr std::string_view kFlagLetters = "rigso";
// A record's start and end by the PC's clock, placed on the console's: how far apart the two clocks may be.
constexpr std::chrono::seconds kClockSkew{30};

constexpr char kSeenAll[] = "Salon g\xF6rd\xFC";
constexpr char kNotSeen[] = "Salon bu s\xFDnav\xFD g\xF6rmedi";
constexpr char kNotWatching[] = "Salon izlemiyordu";
constexpr char kEndNotWatched[] = "Salon s\xFDnav\xFDn sonunu izlemiyordu";
constexpr char kNoExamId[] = "S\xFDnav kimli\xF0i yok: salon tan\xFDkl\xFDk edemez";
constexpr char kImpossible[] =
    "Say\xFDlar olamaz (do\xF0ru + yanl\xFD\xFE = yaz\xFDlan, net = do\xF0ru - yanl\xFD\xFE)";
constexpr char kGrew[] = "Kesintiden sonra salonun son g\xF6rd\xFC\xF0\xFCnden fazla metin veya s\xFCre";
constexpr char kTwoWriters[] = "Durum dosyas\xFDna iki program yazd\xFD";
constexpr char kOtherCandidate[] = "Aday salonda g\xF6r\xFClenden farkl\xFD";
constexpr char kOtherPc[] = "Bilgisayar salonda g\xF6r\xFClenden farkl\xFD";
constexpr char kOtherWords[] = "Kelime say\xFDs\xFD salonun g\xF6rd\xFC\xF0\xFC ";
constexpr char kOtherText[] = "Metin salonun g\xF6rd\xFC\xF0\xFC metin de\xF0il";
constexpr char kNoJournal[] = "G\xFCnl\xFCks\xFCz: ";
constexpr char kNoRecord[] = "Kayd\xFD yok: s\xFDnav salonda g\xF6r\xFCld\xFC, tutana\xF0\xFD yok";

bool UnderWay(Phase phase) { return phase == Phase::Running || phase == Phase::Stopped || phase == Phase::Unfinished; }
bool AtItsEnd(Phase phase) { return phase == Phase::TimeUp || phase == Phase::Results; }

std::int64_t Ms(Instant instant) { return instant.time_since_epoch().count(); }

std::string Fields(std::initializer_list<std::string> fields) {
    std::string line;
    for (const std::string& field : fields) {
        if (!line.empty()) line += '\t';
        line += platform::Escaped(field);
    }
    line += '\n';
    return line;
}

std::optional<std::vector<std::string>> FieldsOf(std::string_view line) {
    std::vector<std::string> fields;
    for (;;) {
        const std::size_t tab = line.find('\t');
        std::optional<std::string> field = platform::Unescaped(line.substr(0, tab));
        if (!field) return std::nullopt;
        fields.push_back(std::move(*field));
        if (tab == std::string_view::npos) return fields;
        line.remove_prefix(tab + 1);
    }
}

// More text, or more time left, than the hall saw before: what 2 s of typing and the journal's lead cannot explain.
bool MoreThanSeen(std::int64_t words, std::int64_t msLeft, std::int64_t seenWords, std::int64_t seenMsLeft) {
    return words > seenWords + kWordsBetweenWrites || msLeft > seenMsLeft + kMsLeftTolerance;
}

std::optional<WitnessedExam> ExamOf(const std::vector<std::string>& f) {
    std::optional<TakenUp> takenUp;
    if (f.size() != 16 || !ReadTakenUp(f[15], takenUp)) return std::nullopt;
    std::array<std::int64_t, 7> numbers{};
    const std::size_t places[] = {5, 6, 8, 10, 11, 13, 14};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::optional<std::int64_t> number = platform::Count(f[places[i]]);
        if (!number) return std::nullopt;
        numbers[i] = *number;
    }
    const std::optional<std::int64_t> phase = platform::Count(f[9]);
    if (!phase || *phase < 0 || *phase > static_cast<std::int64_t>(Phase::Unfinished)) return std::nullopt;
    const std::string& flags = f[12];
    if (flags.size() != kFlagLetters.size()) return std::nullopt;
    const auto flag = [&](std::size_t i) { return flags[i] == kFlagLetters[i]; };
    return WitnessedExam{.examId = f[1],
                         .computer = f[2],
                         .label = f[3],
                         .candidateNumber = f[4],
                         .words = numbers[0],
                         .msLeft = numbers[1],
                         .digest = f[7],
                         .seq = numbers[2],
                         .phase = static_cast<Phase>(*phase),
                         .firstSeen = Instant(milliseconds(numbers[3])),
                         .lastSeen = Instant(milliseconds(numbers[4])),
                         .sawUnderWay = flag(0),
                         .interrupted = flag(1),
                         .wordsBefore = numbers[5],
                         .msLeftBefore = numbers[6],
                         .grewWhileInterrupted = flag(2),
                         .sequenceBroken = flag(3),
                         .over = flag(4),
                         .takenUp = takenUp};
}

// "07.12.2026" and "14:30:12" as an instant of the same clock, or nothing.
std::optional<Instant> LocalInstant(std::string_view date, std::string_view time) {
    if (date.size() != 10 || time.size() != 8) return std::nullopt;
    const auto part = [](std::string_view text, std::size_t at, std::size_t length) {
        return platform::Count(text.substr(at, length)).value_or(-1);
    };
    const std::chrono::year_month_day day{std::chrono::year(static_cast<int>(part(date, 6, 4))),
                                          std::chrono::month(static_cast<unsigned>(part(date, 3, 2))),
                                          std::chrono::day(static_cast<unsigned>(part(date, 0, 2)))};
    const std::int64_t hours = part(time, 0, 2), minutes = part(time, 3, 2), seconds = part(time, 6, 2);
    if (!day.ok() || hours < 0 || minutes < 0 || seconds < 0) return std::nullopt;
    return Instant(std::chrono::sys_days(day)) + std::chrono::hours(hours) + std::chrono::minutes(minutes) +
           std::chrono::seconds(seconds);
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string joined;
    for (const std::string& part : parts) {
        if (!joined.empty()) joined += "; ";
        joined += part;
    }
    return joined;
}

Verdict VerdictOf(const ResultLine& line, const HallWitness& witness, std::chrono::minutes utcOffset) {
    std::vector<std::string> warnings;
    if (CountsImpossible(line)) warnings.emplace_back(kImpossible);
    const auto exam = witness.Exams().find(line.examId);
    const std::string journal =
        line.journalProblem.empty() ? "" : kNoJournal + text::Utf8ToCp1254(line.journalProblem).text;
    const auto said = [&](std::string neutral) {
        if (!warnings.empty()) return Verdict{Joined(warnings), true};
        return Verdict{Joined(journal.empty() ? std::vector{neutral} : std::vector{neutral, journal}), false};
    };
    if (line.examId.empty()) return said(kNoExamId);
    // The record's start and end by the PC's clock, placed on the console's.
    const std::optional<Instant> started = LocalInstant(line.date, line.started),
                                 ended = LocalInstant(line.date, line.ended);
    const Instant from = started.value_or(Instant()) - utcOffset,
                  to = ended.value_or(Instant()) - utcOffset + (ended < started ? std::chrono::days(1) : 0h);
    const bool timed = started && ended;
    if (exam == witness.Exams().end()) {
        if (timed && witness.WasWatching(from + kClockSkew, to - kClockSkew)) warnings.emplace_back(kNotSeen);
        return said(kNotWatching);
    }
    const WitnessedExam& seen = exam->second;
    if (seen.sequenceBroken) warnings.emplace_back(kTwoWriters);
    if (seen.grewWhileInterrupted) warnings.emplace_back(kGrew);
    // The record is held against the last sight only when that is the exam's end, or when the console watched at the
    // end and so would have seen a later state.
    const bool comparable = AtItsEnd(seen.phase) || (timed && witness.WasWatching(to - kClockSkew, to + kClockSkew));
    if (comparable) {
        if (seen.candidateNumber != line.candidateNumber) warnings.emplace_back(kOtherCandidate);
        if (!seen.label.empty() && seen.label != line.pc) warnings.emplace_back(kOtherPc);
        if (seen.words != line.typed) warnings.push_back(kOtherWords + std::to_string(seen.words));
        if (seen.digest != line.hallDigest) warnings.emplace_back(kOtherText);
    }
    return said(comparable ? kSeenAll : kEndNotWatched);
}

void Take(WitnessedExam& exam, const PcState& state, Instant now) {
    exam.label = state.label;
    exam.candidateNumber = state.candidateNumber;
    exam.words = state.wordsTyped;
    exam.msLeft = state.msLeft;
    exam.digest = state.digest;
    exam.seq = state.seq;
    exam.phase = state.phase;
    exam.lastSeen = now;
    exam.over = false;
    exam.sawUnderWay = exam.sawUnderWay || UnderWay(state.phase);
}

}  // namespace

void HallWitness::Watching(Instant now) {
    if (periods_.empty() || now - periods_.back().to > kWatchGap)
        periods_.push_back({now, now});
    else
        periods_.back().to = std::max(periods_.back().to, now);
}

void HallWitness::Saw(const PcState& state, bool answering, bool sequenceBroken, Instant now) {
    // The PC has gone on: to another candidate, or to another exam.
    for (auto& [id, exam] : exams_) {
        if (exam.computer == state.computer && id != state.examId) exam.over = true;
    }
    if (state.examId.empty()) return;
    auto [place, isNew] = exams_.try_emplace(state.examId);
    WitnessedExam& exam = place->second;
    // An exam first seen is what its PC last wrote, even when that PC no longer answers.
    if (isNew) {
        exam = {.examId = state.examId, .computer = state.computer, .firstSeen = now};
        Take(exam, state, now);
    }
    exam.sequenceBroken = exam.sequenceBroken || sequenceBroken;
    const bool interruption = !answering || state.phase == Phase::Unfinished;
    // Of an exam first seen unfinished the console knows nothing from before.
    if (interruption && !exam.interrupted && !(isNew && answering)) {
        exam.interrupted = true;
        exam.wordsBefore = exam.words;
        exam.msLeftBefore = exam.msLeft;
    }
    if (!answering) return;
    // The first state after an interruption says where the exam stood when its PC came back.
    if (std::exchange(exam.interrupted, false)) {
        exam.grewWhileInterrupted = exam.grewWhileInterrupted ||
                                    MoreThanSeen(state.wordsTyped, state.msLeft, exam.wordsBefore, exam.msLeftBefore);
    }
    // A take-up from the journal is in every state of the exam from then on: held against the last state seen before
    // it, whether or not the console saw the PC silent or the take-up's own phase, which may pass within a second.
    if (state.takenUp && state.takenUp != exam.takenUp) {
        if (!isNew)
            exam.grewWhileInterrupted =
                exam.grewWhileInterrupted ||
                MoreThanSeen(state.takenUp->words, state.takenUp->msLeft, exam.words, exam.msLeft);
        exam.takenUp = state.takenUp;
    }
    Take(exam, state, now);
}

bool HallWitness::WasWatching(Instant from, Instant to) const {
    return std::ranges::any_of(periods_,
                               [&](const WatchPeriod& period) { return period.from <= to && from <= period.to; });
}

std::string HallWitness::Encode() const {
    std::string file = std::string(kFirstLine) + '\n';
    for (const WatchPeriod& period : periods_)
        file += Fields({std::string(kWatchTag), std::to_string(Ms(period.from)), std::to_string(Ms(period.to))});
    for (const auto& [id, e] : exams_) {
        std::string flags(kFlagLetters);
        const bool set[] = {e.sawUnderWay, e.interrupted, e.grewWhileInterrupted, e.sequenceBroken, e.over};
        for (std::size_t i = 0; i < flags.size(); ++i)
            if (!set[i]) flags[i] = '-';
        file += Fields({std::string(kExamTag), e.examId, e.computer, e.label, e.candidateNumber,
                        std::to_string(e.words), std::to_string(e.msLeft), e.digest, std::to_string(e.seq),
                        std::to_string(static_cast<int>(e.phase)), std::to_string(Ms(e.firstSeen)),
                        std::to_string(Ms(e.lastSeen)), flags, std::to_string(e.wordsBefore),
                        std::to_string(e.msLeftBefore), TakenUpText(e.takenUp)});
    }
    return file;
}

std::optional<HallWitness> HallWitness::Decode(std::string_view bytes) {
    if (!bytes.starts_with(std::string(kFirstLine) + '\n') || !bytes.ends_with('\n')) return std::nullopt;
    bytes.remove_prefix(kFirstLine.size() + 1);
    HallWitness witness;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::optional<std::vector<std::string>> fields = FieldsOf(bytes.substr(0, end));
        bytes.remove_prefix(end + 1);
        if (!fields) return std::nullopt;
        const std::vector<std::string>& f = *fields;
        if (f[0] == kWatchTag && f.size() == 3) {
            const std::optional<std::int64_t> from = platform::Count(f[1]), to = platform::Count(f[2]);
            if (!from || !to) return std::nullopt;
            witness.periods_.push_back({Instant(milliseconds(*from)), Instant(milliseconds(*to))});
        } else if (const std::optional<WitnessedExam> exam = f[0] == kExamTag ? ExamOf(f) : std::nullopt) {
            witness.exams_.insert_or_assign(exam->examId, *exam);
        } else {
            return std::nullopt;
        }
    }
    return witness;
}

void JudgeResults(std::vector<RankedResult>& results, const HallWitness& witness, std::chrono::minutes utcOffset,
                  bool dayOver) {
    std::unordered_set<std::string_view> recorded(results.size());
    for (RankedResult& result : results) {
        result.verdict = VerdictOf(result.line, witness, utcOffset);
        recorded.insert(result.line.examId);
    }
    std::vector<RankedResult> unrecorded;
    for (const auto& [id, exam] : witness.Exams()) {
        if (!exam.sawUnderWay || !(exam.over || dayOver) || recorded.contains(id)) continue;
        unrecorded.push_back({.line = {.pc = exam.label,
                                       .candidateNumber = exam.candidateNumber,
                                       .typed = static_cast<int>(exam.words),
                                       .examId = id},
                              .verdict = {kNoRecord, true}});
    }
    results.insert(results.end(), unrecorded.begin(), unrecorded.end());
}

}  // namespace hall
