// The exam record of each candidate, made from the exam and handed to the keeper, which keeps it on disk and prints
// it; the status bar shows what the keeper says became of it.
#include "exam/ExamWindow.h"

#include "entry/EntryDialog.h"

namespace exam {

result::ExamRecord TSinavForm::RecordOf(std::string typed, const text::ScoreResult& result,
                                        std::vector<text::WordSpan> wrongSpans) const {
    return {
        .computer = Control(SinavForm::PCLabel).Text(),
        .computerName = BilgisayarAdi(),
        .clockStarted = result::LocalTimeOf(exam_.ClockStarted()->wall),
        .clockEnded = result::LocalTimeOf(exam_.ClockEnded()->wall),
        .firstName = entry::AdayKaydi.adi,
        .surname = entry::AdayKaydi.soyadi,
        .candidateNumber = entry::AdayKaydi.adayNo,
        .typedText = std::move(typed),
        .wrongWords = std::move(wrongSpans),
        .typed = static_cast<int>(result.typedWords.size()),
        .correct = static_cast<int>(result.correctWords.size()),
        .wrong = static_cast<int>(result.wrongWords.size()),
        .board = settings_.board,
        .examId = journal_.ExamId(),
        .interruptions = interruptions_,
        .hallDigest = hallChain_ ? hallChain_->Digest() : std::string(),
        .journalProblem = journal_.Problem(),
    };
}

void TSinavForm::ShowStatus() { Control(SinavForm::StatusBar1).SetText(statusCounts_ + keeper_->Status()); }

// Said at once and for as long as it holds: an exam whose journal fails goes on, and the supervisor knows it cannot
// come back after a crash.
std::string TSinavForm::JournalNotice() const {
    const std::string problem = journal_.Problem();
    return problem.empty() ? "" : "    " + problem;
}

}  // namespace exam
