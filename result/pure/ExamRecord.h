// The exam record: what one candidate's exam leaves behind, on paper and on disk. No Windows header: the filling
// of the record's template, its escaping and the records file's lines are tested natively.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/pure/Settings.h"
#include "text/TextAnalysis.h"

namespace result {

// A local date and time as people read it.
struct LocalTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
};

// The exam stopped because the PC did (a power cut, a frozen or closed program) and was continued, or ended as it
// stood, by the supervisor after the restart.
struct Interruption {
    LocalTime stopped;    // the last the program knew of the exam before it stopped
    LocalTime resumed;    // when the supervisor continued it, or ended it
    int secondsLeft = 0;  // the exam's time left at that moment (whole seconds, rounded up)
    bool ended = false;   // the supervisor ended the exam as it stood: the time left was never typed
};

// Every text is Windows-1254, as the program works on it.
struct ExamRecord {
    std::string computer;      // the computer label as shown in the exam window
    std::string computerName;  // the computer's own name, which the record's files are named after
    LocalTime clockStarted, clockEnded;
    std::string firstName, surname, candidateNumber;
    std::string typedText;                   // exactly as typed, CR LF line breaks
    std::vector<text::WordSpan> wrongWords;  // where the typed text's wrong words are, to underline
    int typed = 0, correct = 0, wrong = 0;   // the counts as the results show them
    config::ExamBoard board;
    // Unique per exam and PC (ASCII), e.g. "20261207-143012-7f3a09c2"; empty: a record kept as often as it is given.
    std::string examId{};
    std::vector<Interruption> interruptions{};  // in order; empty for an exam that ran through
    // The typed text's digest in the last state this PC wrote for the hall's console (hall::StateChain), ASCII: the
    // console finds its record by it. Empty without a hall.
    std::string hallDigest{};
    std::string journalProblem{};  // why the exam ran without its journal, or empty

    // The net word count: correct minus wrong, never below 0.
    int Net() const { return correct > wrong ? correct - wrong : 0; }
};

// The value of one placeholder of the record's template ($pc$, $tarih$, ...), named without its dollar signs.
// Page number and count ($s$, $t$) are not here: only the printed or displayed document knows them.
struct RecordField {
    std::string_view placeholder;
    std::string text;                        // Windows-1254, CR LF line breaks
    std::vector<text::WordSpan> underlined;  // positions in `text`
};
std::vector<RecordField> RecordFields(const ExamRecord& record);

}  // namespace result
