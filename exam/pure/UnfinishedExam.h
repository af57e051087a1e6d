// An exam that the program did not see to its end (a power cut, a frozen program, the supervisor's close button), as
// its journal gives it back at the next start, and what the supervisor makes of it. No Windows header: its texts are
// tested natively.
//
// A journal is a file that any program of the same user could have written: it becomes a record only through the
// supervisor, only on the computer it names and only against the sample this PC holds now.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "journal/pure/Events.h"
#include "result/pure/ExamRecord.h"

namespace exam {

// What the supervisor reads about an unfinished exam. Texts are Windows-1254.
struct UnfinishedExam {
    std::string examId;
    std::string candidateNumber, firstName, surname;
    std::string computer;       // the PC label, e.g. "PC1 - (PC07)"
    result::LocalTime started;  // when the exam clock started (or the start button was pressed, if it never did)
    result::LocalTime stopped;  // the last the program knew of the exam
    int wordsTyped = 0;
    int millisecondsLeft = 0;  // the exam's time left
    bool timeUp = false;       // its time was up: it can only be completed, as it stands
};

enum class ResumeChoice { Continue, EndAsItStands };

// The time left as the supervisor reads it, "2 dk 5 sn", in the whole seconds the exam clock would show.
std::string MinutesAndSeconds(int milliseconds);

// Why a journal that reads well is not this PC's to take up.
enum class JournalMisfit {
    None,
    OtherComputer,     // it names another computer: copied here, or written by another program
    OtherSample,       // it was typed from another sample than Metin.rtf is now
    SampleUnreadable,  // Metin.rtf cannot be read now, so nothing can be scored
};
// `thisComputer`: this computer's name; `thisSample`: Metin.rtf's identity now, none when it cannot be read.
JournalMisfit MisfitOf(const journal::Opening& opening, std::string_view thisComputer,
                       const std::optional<std::string>& thisSample);

// The one message that names, before anything else, the journals found that were not taken up: a line each,
// at most kMostNamedJournals of them, then how many more. Empty when there are none.
inline constexpr std::size_t kMostNamedJournals = 10;
std::string JournalsReport(std::span<const std::string> lines);

}  // namespace exam
