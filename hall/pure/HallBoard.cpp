#include "hall/pure/HallBoard.h"

#include <algorithm>
#include <array>

#include "hall/pure/HallWitness.h"
#include "text/Collation.h"
#include "text/Cp1254Unicode.h"

namespace hall {

namespace {

using std::chrono::seconds;

// The start of a refusal's detail for a state file whose computer is not the one its name says, UTF-8.
constexpr std::string_view kOtherComputer =
    "ba\xC5\x9F"
    "ka bir bilgisayar\xC4\xB1n durumu: ";
constexpr char kTwoWriters[] = "Durum dosyas\xFDna iki program yaz\xFDyor";
constexpr char kTwoFiles[] = "Bu bilgisayar ad\xFD ba\xFEka bir dosyada da var";

struct PhaseView {
    std::string_view words;  // Windows-1254
    Tone tone;
    bool clock;  // the exam's time left means something
    bool typed;  // so do the words typed
    bool beats;  // the PC writes its state every few seconds, so a silence means it stopped answering
};
// In the order of Phase.
constexpr std::array<PhaseView, 8> kPhases = {{
    {"Aday bekleniyor", Tone::Idle, false, false, false},
    {"Haz\xFDr", Tone::Ready, false, false, false},
    {"Ba\xFEl\xFDyor", Tone::Busy, true, false, true},
    {"S\xFDnavda", Tone::Busy, true, true, true},
    {"Durduruldu", Tone::Busy, true, true, true},
    {"S\xFCre bitti", Tone::Finished, false, true, false},
    {"Sonu\xE7lar ekranda", Tone::Finished, false, true, false},
    {"Yar\xFDm kalan s\xFDnav: g\xF6zetmen bekleniyor", Tone::Attention, true, true, false},
}};

std::string Joined(std::initializer_list<std::string_view> parts, std::string_view separator) {
    std::string joined;
    for (const std::string_view part : parts) {
        if (part.empty()) continue;
        if (!joined.empty()) joined += separator;
        joined += part;
    }
    return joined;
}

// As the exam window shows it: whole seconds, rounded up.
std::string TimeLeft(std::int64_t msLeft) {
    const auto left = std::chrono::ceil<seconds>(std::chrono::milliseconds(std::max<std::int64_t>(msLeft, 0))).count();
    const std::string secondsText = std::to_string(left % 60);
    return std::to_string(left / 60) + (secondsText.size() < 2 ? ":0" : ":") + secondsText;
}

std::string Ago(Instant::duration silence) {
    const auto secondsAgo = std::chrono::floor<seconds>(silence).count();
    if (secondsAgo < 60) return std::to_string(secondsAgo) + " sn \xF6nce";
    if (secondsAgo < 3600) return std::to_string(secondsAgo / 60) + " dk \xF6nce";
    return std::to_string(secondsAgo / 3600) + " sa \xF6nce";
}

bool Silent(const PcState& state, Instant changed, Instant now) {
    return kPhases[static_cast<std::size_t>(state.phase)].beats && now - changed >= kSilenceAlarm;
}

// The computer names of Windows, which ignore case.
std::string NameKey(std::string_view name) {
    std::string key(name);
    for (char& c : key)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return key;
}

std::string Stem(const std::string& fileName) { return fileName.substr(0, fileName.rfind('.')); }

HallRow StateRow(const PcState& state, Instant changed, Instant now) {
    const PhaseView& view = kPhases[static_cast<std::size_t>(state.phase)];
    HallRow row{.label = state.label,
                .computer = state.computer,
                .phase = std::string(view.words),
                .candidate = Joined({state.candidateNumber, state.firstName, state.surname}, " "),
                .timeLeft = view.clock ? TimeLeft(state.msLeft) : "",
                .words = view.typed ? std::to_string(state.wordsTyped) : "",
                .problems = Joined({state.problems.fallbackFolder ? "Tutanak yedek klas\xF6rde" : "",
                                    state.problems.notKept ? "Tutanak kaydedilemedi" : "",
                                    state.problems.notPrinted ? "Tutanak yazd\xFDr\xFDlamad\xFD" : ""},
                                   "; "),
                .tone = view.tone};
    if (!row.problems.empty()) row.tone = Tone::Attention;
    if (Silent(state, changed, now)) {
        row.phase = "Yan\xFDt vermiyor";
        row.seen = Ago(now - changed);
        row.tone = Tone::Alarm;
    }
    return row;
}

HallRow RefusalRow(const std::string& fileName, const StateRefusal& refusal) {
    using Reason = StateRefusal::Reason;
    std::string why;
    switch (refusal.reason) {
    case Reason::Foreign:
        why =
            "Yabanc\xFD dosya: " + (refusal.detail.starts_with(kOtherComputer) ? text::Utf8ToCp1254(refusal.detail).text
                                                                               : "PC1'in durum dosyas\xFD de\xF0il");
        break;
    case Reason::Newer:
        why = "Daha yeni bir PC1 s\xFCr\xFCm\xFCnden (bi\xE7im " + std::to_string(refusal.version) +
              "): konsolu g\xFCncelleyin";
        break;
    case Reason::Incomplete:
        why = "Yar\xFDm yaz\xFDlm\xFD\xFE";
        break;
    case Reason::Malformed:
        why = "Bozuk sat\xFDr: " + text::Utf8ToCp1254(refusal.detail).text;
        break;
    }
    return {
        .label = fileName, .computer = Stem(fileName), .phase = "Okunam\xFDyor", .problems = why, .tone = Tone::Alarm};
}

// A state file too large to be one, or one whose computer is not the one its name says, is another program's.
std::variant<PcState, StateRefusal> Decoded(const StateSnapshot& file) {
    if (file.tooLarge) return StateRefusal{StateRefusal::Reason::Foreign, 0, "larger than a state file"};
    std::variant<PcState, StateRefusal> decoded = DecodeState(file.bytes);
    const auto* state = std::get_if<PcState>(&decoded);
    if (state && NameKey(state->computer) != NameKey(Stem(file.fileName)))
        return StateRefusal{StateRefusal::Reason::Foreign, 0, std::string(kOtherComputer) + state->computer};
    return decoded;
}

// Each write of a PC numbers its state one above the last: a number that does not grow is another writer's.
bool SeqWentBack(const std::variant<PcState, StateRefusal>& before, const std::variant<PcState, StateRefusal>& after) {
    const auto *last = std::get_if<PcState>(&before), *next = std::get_if<PcState>(&after);
    return last && next && last->seq > 0 && next->seq > 0 && next->seq <= last->seq;
}

}  // namespace

void HallBoard::Refresh(std::span<const StateSnapshot> files, Instant now, HallWitness* witness) {
    std::map<std::string, Seen> seen;
    for (const StateSnapshot& file : files) {
        const auto known = files_.find(file.fileName);
        if (known != files_.end() && known->second.bytes == file.bytes) {
            seen.insert(files_.extract(known));
            continue;
        }
        // A file first seen changed when it was written, never later than now: a PC that died an hour ago is silent.
        const Instant changed = known == files_.end() ? std::min(file.fileWritten, now) : now;
        Seen next{file.bytes, Decoded(file), changed};
        if (known != files_.end())
            next.sequenceBroken = known->second.sequenceBroken || SeqWentBack(known->second.state, next.state);
        seen.insert_or_assign(file.fileName, std::move(next));
    }
    files_ = std::move(seen);

    std::map<std::string, int> claims;
    for (const auto& [name, file] : files_) {
        if (const auto* state = std::get_if<PcState>(&file.state)) ++claims[NameKey(state->computer)];
    }
    rows_.clear();
    for (const auto& [name, file] : files_) {
        const auto* state = std::get_if<PcState>(&file.state);
        if (!state) {
            rows_.push_back(RefusalRow(name, std::get<StateRefusal>(file.state)));
            continue;
        }
        HallRow row = StateRow(*state, file.changed, now);
        const bool claimedTwice = claims[NameKey(state->computer)] > 1;
        if (file.sequenceBroken || claimedTwice) {
            row.problems =
                Joined({file.sequenceBroken ? kTwoWriters : "", claimedTwice ? kTwoFiles : "", row.problems}, "; ");
            row.tone = Tone::Alarm;
        }
        rows_.push_back(std::move(row));
        if (witness) witness->Saw(*state, !Silent(*state, file.changed, now), file.sequenceBroken || claimedTwice, now);
    }
    if (witness) witness->Watching(now);
    std::ranges::sort(rows_, [](const HallRow& a, const HallRow& b) {
        const std::weak_ordering order = text::CompareNaturally(a.label, b.label);
        return order != 0 ? order < 0 : text::CompareNaturally(a.computer, b.computer) < 0;
    });
}

}  // namespace hall
