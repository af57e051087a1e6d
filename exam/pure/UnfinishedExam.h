// An exam that the program did not see to its end (a power cut, a frozen program, the supervisor's close button), as
// its journal gives it back at the next start, and what the supervisor makes of it. No Windows header: its texts are
// tested natively.
#pragma once

#include <string>

#include "result/pure/ExamRecord.h"

namespace exam {

// What the supervisor reads about an unfinished exam. Texts are Windows-1254.
struct UnfinishedExam {
    std::string candidateNumber, firstName, surname;
    std::string computer;       // the PC label, e.g. "PC1 - (PC07)"
    result::LocalTime started;  // when the exam clock started (or the start button was pressed, if it never did)
    result::LocalTime stopped;  // the last the program knew of the exam
    int wordsTyped = 0;
    int millisecondsLeft = 0;   // the exam's time left
    bool sampleMatches = true;  // Metin.rtf is still the sample this exam was typed from
};

enum class ResumeChoice { Continue, EndAsItStands };

// The time left as the supervisor reads it, "2 dk 5 sn", in the whole seconds the exam clock would show.
std::string MinutesAndSeconds(int milliseconds);

}  // namespace exam
