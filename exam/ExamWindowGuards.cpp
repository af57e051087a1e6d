// What keeps the candidate in the exam: Alt+F4 and caption dragging refused, no selection made with a press in
// the typing area, and the supervisor's key sequence, which alone stops the clock and reveals the close button.
#include <string>

#include "exam/ExamWindow.h"
#include "exam/SupervisorKeys.h"
#include "platform/Guards.h"
#include "platform/RichEdit.h"

namespace exam {

// Completing the sequence stops a running exam clock as of its sixth key's press, until a key other than the
// sequence's own is released in the typing area. The check of six digits takes the time its hash was made to take
// (about a quarter of a second) on this thread: keys pressed meanwhile wait in the queue and are taken afterwards,
// the sixth too when it comes behind the check of six others, and a key that arrives once the exam's time is over
// still ends the exam instead of typing.
void TSinavForm::FormKeyDown(platform::EventArgs& args) {
    const WORD key = args.key;
    platform::CancelAltF4(args);
    if (!IsSupervisorsAlt(args)) return;
    if (DigitOf(key) >= 0) session_.SupervisorKeyDown(static_cast<std::uint8_t>(key & 0xFF));
    const auto pressed = Now() - args.sinceKey;
    if (OfferToSequence(session_.Sequence(), settings_.sequence, key) != SequenceOutcome::Right) return;
    Carry(session_.SequenceRight(pressed, ExamInstant()));
}

void TSinavForm::FormHitTest(platform::EventArgs& args) { platform::RefuseCaptionDrag(args); }

// Every press collapses the selection to its start: a double-click selects no word, and only a drag with the
// button held selects anything.
void TSinavForm::YazilanMouseDown(platform::EventArgs&) {
    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    yazilan.Select(yazilan.SelectionStart(), 0);
}

}  // namespace exam
