#include "hall/pure/HallBoard.h"

#include <algorithm>
#include <array>

#include "text/Collation.h"
#include "text/Cp1254Unicode.h"

namespace hall {

namespace {

using std::chrono::seconds;

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
    {"Durduruldu", Tone::Busy, true, true, false},
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
    if (view.beats && now - changed >= kSilenceAlarm) {
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
        why = "PC1'in durum dosyas\xFD de\xF0il";
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
    return {.label = fileName,
            .computer = fileName.substr(0, fileName.rfind('.')),
            .phase = "Okunam\xFDyor",
            .problems = why,
            .tone = Tone::Alarm};
}

}  // namespace

void HallBoard::Refresh(std::span<const StateSnapshot> files, Instant now) {
    std::map<std::string, Seen> seen;
    for (const StateSnapshot& file : files) {
        const auto known = files_.find(file.fileName);
        if (known != files_.end() && known->second.bytes == file.bytes) {
            seen.insert(files_.extract(known));
            continue;
        }
        // A file first seen changed when it was written, never later than now: a PC that died an hour ago is silent.
        const Instant changed = known == files_.end() ? std::min(file.fileWritten, now) : now;
        seen.insert_or_assign(file.fileName, Seen{file.bytes, DecodeState(file.bytes), changed});
    }
    files_ = std::move(seen);

    rows_.clear();
    for (const auto& [name, file] : files_) {
        if (const auto* state = std::get_if<PcState>(&file.state))
            rows_.push_back(StateRow(*state, file.changed, now));
        else
            rows_.push_back(RefusalRow(name, std::get<StateRefusal>(file.state)));
    }
    std::ranges::sort(rows_, [](const HallRow& a, const HallRow& b) {
        const std::weak_ordering order = text::CompareNaturally(a.label, b.label);
        return order != 0 ? order < 0 : text::CompareNaturally(a.computer, b.computer) < 0;
    });
}

}  // namespace hall
