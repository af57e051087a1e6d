// The dialog that an unfinished exam shows the supervisor at the next start, over the backdrop and before the entry
// dialog: whose exam it was, when it started and stopped, how far it got, and the choice to continue it or to end it
// as it stands, which only the supervisor's sequence opens.
#pragma once

#include <optional>

#include "config/pure/Settings.h"
#include "exam/ResumeDialogLayout.h"
#include "exam/pure/SupervisorSequence.h"
#include "exam/pure/UnfinishedExam.h"
#include "platform/Form.h"

namespace exam {

// Shows the unfinished exam and waits: nothing can be chosen until the supervisor's sequence is entered (Alt held,
// the six digits); then "continue" or "end as it stands", only the latter when the exam's time was up, which
// completes it. The candidate can neither choose, nor close it, nor leave it.
class TDevamForm : public platform::FormOf<TDevamForm> {
public:
    // `owner`: the backdrop; `settings`: the installation's, whose sequence opens the choice.
    TDevamForm(HWND owner, const UnfinishedExam& exam, const config::Settings& settings);

    // Read after ShowModal returns. ShowModal returns before a choice only when the program is asked to quit or
    // closes the dialog itself; there is then none, and the exam stays as its journal has it.
    const std::optional<ResumeChoice>& Choice() const { return choice_; }

    void FormKeyDown(platform::EventArgs& args);
    void FormClose(platform::EventArgs& args);
    void FormHitTest(platform::EventArgs& args);
    void DevamBtnClick(platform::EventArgs& args);
    void BitirBtnClick(platform::EventArgs& args);

private:
    void ShowExam(const UnfinishedExam& exam);
    void OpenTheChoice();
    void Choose(ResumeChoice choice);

    bool timeUp_;
    std::optional<config::SequenceHash> sequenceHash_;
    SupervisorSequence denetimSirasi_;
    bool choiceOpen_ = false;  // the supervisor's sequence was entered
    std::optional<ResumeChoice> choice_;
};

}  // namespace exam
