#include "hall/pure/PcStateFile.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <vector>

#include "platform/pure/LineEscaping.h"

namespace hall {

namespace {

using std::chrono::milliseconds;
using Written = std::chrono::sys_time<milliseconds>;

constexpr std::string_view kVersionKey = "pc1-hall-state", kEndKey = "end";
// The keys between the version line and the closing line, in the order they are written and read.
enum Key {
    kLabel,
    kComputer,
    kVersion,
    kPhase,
    kCandidate,
    kFirstName,
    kSurname,
    kMsLeft,
    kWords,
    kWritten,
    kProblems,
    kExamId,
    kSeq,
    kDigest,
    kJournal,
    kTakenUp
};
constexpr std::array<std::string_view, 16> kKeys = {
    "label", "computer", "version",  "phase",   "candidate", "first-name", "surname", "ms-left",
    "words", "written",  "problems", "exam-id", "seq",       "digest",     "journal", "taken-up"};
// A version 1 file ends after its problems.
constexpr std::size_t kVersion1Keys = kProblems + 1;
constexpr std::array<std::string_view, 8> kPhaseNames = {"waiting", "ready",   "countdown", "running",
                                                         "stopped", "time-up", "results",   "unfinished"};
constexpr std::string_view kFallbackFolder = "fallback-folder", kNotKept = "not-kept", kNotPrinted = "not-printed";
// Overlong forms, surrogates and code points beyond U+10FFFF are not UTF-8.
bool IsUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int length = 0;
        char32_t code = 0, least = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, code = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, code = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, code = lead & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (i + length > bytes.size()) return false;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = code << 6 | (next & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

std::string IsoUtc(Written instant) {
    const auto day = std::chrono::floor<std::chrono::days>(instant);
    const std::chrono::year_month_day date(day);
    const std::chrono::hh_mm_ss time(instant - day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()), static_cast<int>(time.subseconds().count()));
    return text;
}

// Exactly as IsoUtc writes it: 2026-12-08T07:12:30.123Z.
std::optional<Written> ParseIsoUtc(std::string_view text) {
    constexpr std::string_view kShape = "dddd-dd-ddTdd:dd:dd.dddZ";
    if (text.size() != kShape.size()) return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) return std::nullopt;
    }
    const auto number = [&](std::size_t at, std::size_t length) {
        int value = 0;
        for (std::size_t i = at; i < at + length; ++i) value = value * 10 + (text[i] - '0');
        return value;
    };
    const std::chrono::year_month_day date{std::chrono::year(number(0, 4)),
                                           std::chrono::month(static_cast<unsigned>(number(5, 2))),
                                           std::chrono::day(static_cast<unsigned>(number(8, 2)))};
    const int hours = number(11, 2), minutes = number(14, 2), seconds = number(17, 2);
    if (!date.ok() || hours > 23 || minutes > 59 || seconds > 59) return std::nullopt;
    return std::chrono::sys_days(date) + std::chrono::hours(hours) + std::chrono::minutes(minutes) +
           std::chrono::seconds(seconds) + milliseconds(number(20, 3));
}

std::string ProblemList(const Problems& problems) {
    std::string list;
    for (const auto& [set, name] :
         {std::pair{problems.fallbackFolder, kFallbackFolder}, std::pair{problems.notKept, kNotKept},
          std::pair{problems.notPrinted, kNotPrinted}}) {
        if (!set) continue;
        if (!list.empty()) list += ',';
        list += name;
    }
    return list;
}

std::optional<Problems> ParseProblems(std::string_view list) {
    Problems problems;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        if (name == kFallbackFolder)
            problems.fallbackFolder = true;
        else if (name == kNotKept)
            problems.notKept = true;
        else if (name == kNotPrinted)
            problems.notPrinted = true;
        else
            return std::nullopt;
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
        if (list.empty()) return std::nullopt;  // a trailing comma
    }
    return problems;
}

StateRefusal Refused(StateRefusal::Reason reason, std::string_view detail, int version) {
    return {reason, version, std::string(detail.substr(0, 80))};
}

}  // namespace

std::string TakenUpText(const std::optional<TakenUp>& takenUp) {
    return takenUp ? std::to_string(takenUp->words) + ',' + std::to_string(takenUp->msLeft) : std::string();
}

bool ReadTakenUp(std::string_view text, std::optional<TakenUp>& takenUp) {
    if (text.empty()) {
        takenUp.reset();
        return true;
    }
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return false;
    const std::optional<std::int64_t> words = platform::Count(text.substr(0, comma)),
                                      msLeft = platform::Count(text.substr(comma + 1));
    if (!words || !msLeft) return false;
    takenUp = TakenUp{*words, *msLeft};
    return true;
}

std::string_view PhaseName(Phase phase) { return kPhaseNames[static_cast<std::size_t>(phase)]; }

std::string EncodeState(const PcState& state) {
    std::array<std::string, kKeys.size()> values;
    values[kLabel] = platform::Escaped(state.label);
    values[kComputer] = platform::Escaped(state.computer);
    values[kVersion] = platform::Escaped(state.version);
    values[kPhase] = PhaseName(state.phase);
    values[kCandidate] = platform::Escaped(state.candidateNumber);
    values[kFirstName] = platform::Escaped(state.firstName);
    values[kSurname] = platform::Escaped(state.surname);
    values[kMsLeft] = std::to_string(std::max<std::int64_t>(0, state.msLeft));
    values[kWords] = std::to_string(std::max<std::int64_t>(0, state.wordsTyped));
    values[kWritten] = IsoUtc(state.written);
    values[kProblems] = ProblemList(state.problems);
    values[kExamId] = platform::Escaped(state.examId);
    values[kSeq] = std::to_string(std::max<std::int64_t>(0, state.seq));
    values[kDigest] = platform::Escaped(state.digest);
    values[kJournal] = platform::Escaped(state.journalProblem);
    values[kTakenUp] = TakenUpText(state.takenUp);

    std::string file = std::string(kVersionKey) + '=' + std::to_string(kStateFormatVersion) + '\n';
    for (std::size_t i = 0; i < kKeys.size(); ++i) file += std::string(kKeys[i]) + '=' + values[i] + '\n';
    return file + std::string(kEndKey) + '=' + std::to_string(kKeys.size() + 1) + '\n';
}

std::variant<PcState, StateRefusal> DecodeState(std::string_view bytes) {
    using Reason = StateRefusal::Reason;
    if (bytes.size() > kMaxStateFileBytes) return Refused(Reason::Foreign, "larger than a state file", 0);

    // The first line says whose file this is, before anything else is judged: a cut inside it is a file being
    // written, another line a file of another kind.
    const std::string versionPrefix = std::string(kVersionKey) + '=';
    const std::string_view firstLine = bytes.substr(0, bytes.find('\n'));
    if (firstLine.size() < versionPrefix.size() || !firstLine.starts_with(versionPrefix)) {
        const bool cutShort = firstLine.size() == bytes.size() && versionPrefix.starts_with(firstLine);
        return Refused(cutShort ? Reason::Incomplete : Reason::Foreign, firstLine, 0);
    }
    const std::optional<std::int64_t> version = platform::Count(firstLine.substr(versionPrefix.size()));
    if (version && *version > kStateFormatVersion && *version <= 1'000'000)
        return Refused(Reason::Newer, firstLine, static_cast<int>(*version));
    if (firstLine.size() == bytes.size()) return Refused(Reason::Incomplete, firstLine, 0);
    if (!version || *version < 1) return Refused(Reason::Foreign, firstLine, 0);
    const int format = static_cast<int>(*version);
    if (!bytes.ends_with('\n')) return Refused(Reason::Incomplete, "no line end at the end", format);
    if (!IsUtf8(bytes)) return Refused(Reason::Foreign, "not UTF-8", format);
    const std::size_t keyCount = format == 1 ? kVersion1Keys : kKeys.size();

    std::vector<std::string_view> lines;
    for (std::string_view rest = bytes; !rest.empty();) {
        const std::size_t end = rest.find('\n');
        lines.push_back(rest.substr(0, end));
        rest.remove_prefix(end + 1);
    }
    const std::string_view last = lines.back();
    const std::string endPrefix = std::string(kEndKey) + '=';
    if (!last.starts_with(endPrefix)) return Refused(Reason::Incomplete, last, format);
    if (platform::Count(last.substr(endPrefix.size())) != static_cast<std::int64_t>(lines.size() - 1))
        return Refused(Reason::Incomplete, last, format);
    if (lines.size() != keyCount + 2) return Refused(Reason::Malformed, "a line too many or too few", format);

    std::array<std::string, kKeys.size()> values;
    for (std::size_t i = 0; i < keyCount; ++i) {
        const std::string_view line = lines[i + 1];
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || line.substr(0, equals) != kKeys[i])
            return Refused(Reason::Malformed, line, format);
        std::optional<std::string> value = platform::Unescaped(line.substr(equals + 1));
        if (!value) return Refused(Reason::Malformed, line, format);
        values[i] = std::move(*value);
    }
    const auto malformed = [format](std::string_view value) { return Refused(Reason::Malformed, value, format); };

    PcState state;
    state.label = values[kLabel];
    state.computer = values[kComputer];
    state.version = values[kVersion];
    const auto phase = std::find(kPhaseNames.begin(), kPhaseNames.end(), values[kPhase]);
    if (phase == kPhaseNames.end()) return malformed(values[kPhase]);
    state.phase = static_cast<Phase>(phase - kPhaseNames.begin());
    state.candidateNumber = values[kCandidate];
    state.firstName = values[kFirstName];
    state.surname = values[kSurname];
    const std::optional<std::int64_t> msLeft = platform::Count(values[kMsLeft]),
                                      words = platform::Count(values[kWords]);
    if (!msLeft) return malformed(values[kMsLeft]);
    if (!words) return malformed(values[kWords]);
    state.msLeft = *msLeft;
    state.wordsTyped = *words;
    const std::optional<Written> written = ParseIsoUtc(values[kWritten]);
    if (!written) return malformed(values[kWritten]);
    state.written = *written;
    const std::optional<Problems> problems = ParseProblems(values[kProblems]);
    if (!problems) return malformed(values[kProblems]);
    state.problems = *problems;
    if (format == 1) return state;
    const std::optional<std::int64_t> seq = platform::Count(values[kSeq]);
    if (!seq) return malformed(values[kSeq]);
    state.examId = values[kExamId];
    state.seq = *seq;
    state.digest = values[kDigest];
    state.journalProblem = values[kJournal];
    if (!ReadTakenUp(values[kTakenUp], state.takenUp)) return malformed(values[kTakenUp]);
    return state;
}

}  // namespace hall
