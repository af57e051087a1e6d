#include "exam/pure/UnfinishedExam.h"

#include <chrono>

#include "platform/pure/Countdown.h"

namespace exam {

std::string MinutesAndSeconds(int milliseconds) {
    const int seconds = platform::Countdown::ShownSeconds(std::chrono::milliseconds(milliseconds));
    return std::to_string(seconds / 60) + " dk " + std::to_string(seconds % 60) + " sn";
}

// The computer first: a journal of another PC is never this one's, whatever its sample.
JournalMisfit MisfitOf(const journal::Opening& opening, std::string_view thisComputer,
                       const std::optional<std::string>& thisSample) {
    if (opening.computerName != thisComputer) return JournalMisfit::OtherComputer;
    if (!thisSample) return JournalMisfit::SampleUnreadable;
    return opening.sampleIdentity == *thisSample ? JournalMisfit::None : JournalMisfit::OtherSample;
}

std::string JournalsReport(std::span<const std::string> lines) {
    if (lines.empty()) return {};
    std::string report = "Yar\xFDm kalm\xFD\xFE s\xFDnavlar\xFDn g\xFCnl\xFCklerinden bunlar al\xFDnmad\xFD:";
    for (std::size_t i = 0; i < lines.size() && i < kMostNamedJournals; ++i) report += "\r\n\x95 " + lines[i];
    if (lines.size() > kMostNamedJournals)
        report += "\r\n... ve " + std::to_string(lines.size() - kMostNamedJournals) + " g\xFCnl\xFCk daha.";
    return report;
}

}  // namespace exam
