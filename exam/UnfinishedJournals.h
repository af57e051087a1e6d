// The journals that ended programs left in the journal folder, looked at before each new candidate. What cannot be
// this PC's exam is set aside and named to the supervisor; the oldest that can be waits for the supervisor, whatever
// its stage. Nothing in a journal becomes a record without the supervisor.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "exam/SampleText.h"
#include "journal/JournalFiles.h"

namespace exam {

class UnfinishedJournals {
public:
    struct Found {
        std::wstring path;
        journal::JournalFileRead read;
        SampleContent sample;  // Metin.rtf as it is now, which alone scores the exam
    };

    // `folder`: the journal folder, or none.
    explicit UnfinishedJournals(std::wstring folder) : folder_(std::move(folder)) {}

    // The oldest this process has not taken up yet; `notTakenUp` gets a line in the supervisor's words for each
    // journal left where it was or set aside.
    std::optional<Found> Next(const std::string& computerName, std::vector<std::string>& notTakenUp);

private:
    std::wstring folder_;
    // Once a process: an exam whose record cannot be kept now would otherwise come back at every new candidate.
    std::vector<std::wstring> takenUp_;
};

}  // namespace exam
