// What keeps the candidate in the exam: Alt+F4 and caption dragging refused, no selection made with a press in
// the typing area, and the supervisor's key sequence, which alone stops the clock and reveals the close button.
#include <string>

#include "config/SequenceCheck.h"
#include "exam/ExamWindow.h"
#include "platform/Guards.h"
#include "platform/RichEdit.h"

namespace exam {

namespace {

// The digit of a main-row or keypad digit key, or -1.
int DigitOf(WORD key) {
    if (key >= '0' && key <= '9') return key - '0';
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return key - VK_NUMPAD0;
    return -1;
}

}  // namespace

// AltGr is Ctrl and Alt together and types letters on Turkish keyboards: it is never the supervisor's Alt.
// Completing the sequence stops a running exam clock as of its sixth key's press, until a key other than the
// sequence's own is released in the typing area. The check of six digits takes the time its hash was made to take
// (about a quarter of a second) on this thread: keys pressed meanwhile wait in the queue and are taken afterwards,
// the sixth too when it comes behind the check of six others, and a key that arrives once the exam's time is over
// still ends the exam instead of typing.
void TSinavForm::FormKeyDown(platform::EventArgs& args) {
    const WORD key = args.key;
    platform::CancelAltF4(args);
    if (!args.alt || args.ctrl) return;
    const int digit = DigitOf(key);
    if (digit >= 0) sequenceKeysDown_[key & 0xFF] = true;
    const auto kind = key == VK_F4 ? SupervisorSequence::Key::F4
                      : digit >= 0 ? SupervisorSequence::Key::Digit
                                   : SupervisorSequence::Key::Other;
    const auto pressed = Now() - args.sinceKey;
    const std::optional<std::string> digits = denetimSirasi_.Press(kind, digit);
    if (!digits || !settings_.sequence || !config::IsTheSequence(*settings_.sequence, *digits)) return;
    if (exam_.Stop(pressed)) {
        Timer(SinavForm::SinavTimer).SetEnabled(false);
        Control(SinavForm::SureLabel).SetText(std::to_string(exam_.ExamSecondsLeft(Now())));
    }
    kapatBtnShown_ = true;
    Control(SinavForm::KapatBtn).SetVisible(true);
}

void TSinavForm::FormHitTest(platform::EventArgs& args) { platform::RefuseCaptionDrag(args); }

// Every press collapses the selection to its start: a double-click selects no word, and only a drag with the
// button held selects anything.
void TSinavForm::YazilanMouseDown(platform::EventArgs&) {
    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    yazilan.Select(yazilan.SelectionStart(), 0);
}

}  // namespace exam
