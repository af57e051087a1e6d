#include "exam/UnfinishedJournals.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "exam/ExamJournal.h"
#include "exam/pure/UnfinishedExam.h"
#include "platform/SystemReason.h"

namespace exam {

namespace {

// Metin.rtf as it is now; none when it cannot be read.
std::optional<SampleContent> CurrentSample() {
    try {
        return ReadSampleText();
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
}

std::string Named(const std::wstring& path, const std::string& what) { return FileNameOf(path) + ": " + what; }

// Renamed where it is, with what became of it in the supervisor's words.
std::string SetAside(const std::wstring& path, std::wstring_view extension, const std::string& why) {
    const std::wstring aside = journal::MoveAside(path, extension);
    if (aside.empty())
        return Named(path, why + "; dosya yeniden adland\xFDr\xFDlamad\xFD (" + platform::SystemReason(GetLastError()) +
                               "), yerinde b\xFDrak\xFDld\xFD");
    return Named(path, why + "; " + FileNameOf(aside) + " ad\xFDyla sakland\xFD");
}

std::string MisfitReason(JournalMisfit misfit, const journal::Opening& opening) {
    switch (misfit) {
    case JournalMisfit::OtherComputer:
        return "ba\xFEka bir bilgisayar\xFDn (" + opening.computerName + ") s\xFDnav\xFD";
    case JournalMisfit::OtherSample:
        return "s\xFDnav, \xFEimdiki Metin.rtf'ten ba\xFEka bir metinle yap\xFDlm\xFD\xFE";
    case JournalMisfit::SampleUnreadable:
        return "Metin.rtf \xFEu an okunam\xFDyor; g\xFCnl\xFCk bir sonraki adayda yeniden denenecek";
    case JournalMisfit::None:
        break;
    }
    return {};
}

}  // namespace

std::optional<UnfinishedJournals::Found> UnfinishedJournals::Next(const std::string& computerName,
                                                                  std::vector<std::string>& notTakenUp) {
    if (folder_.empty()) return std::nullopt;
    std::optional<std::pair<std::wstring, journal::JournalFileRead>> found;
    std::optional<SampleContent> sample;
    bool sampleRead = false;
    for (const std::wstring& path : journal::JournalsIn(folder_)) {
        if (found || std::ranges::find(takenUp_, path) != takenUp_.end()) continue;
        journal::JournalFileRead read = journal::ReadJournalFile(path);
        if (read.held) {
            notTakenUp.push_back(Named(path, read.refusal + "; bir sonraki adayda yeniden denenecek"));
            continue;
        }
        if (!read.state) {
            takenUp_.push_back(path);
            notTakenUp.push_back(SetAside(path, journal::kUnreadableExtension, read.refusal));
            continue;
        }
        if (!std::exchange(sampleRead, true)) sample = CurrentSample();
        const JournalMisfit misfit =
            MisfitOf(read.state->opening, computerName, sample ? std::optional(sample->identity) : std::nullopt);
        if (misfit == JournalMisfit::SampleUnreadable) {
            notTakenUp.push_back(Named(path, MisfitReason(misfit, read.state->opening)));
        } else if (misfit != JournalMisfit::None) {
            takenUp_.push_back(path);
            notTakenUp.push_back(
                SetAside(path, journal::kSetAsideExtension, MisfitReason(misfit, read.state->opening)));
        } else {
            takenUp_.push_back(path);
            found.emplace(path, std::move(read));
        }
    }
    if (!found) return std::nullopt;
    return Found{std::move(found->first), std::move(found->second), std::move(*sample)};
}

}  // namespace exam
