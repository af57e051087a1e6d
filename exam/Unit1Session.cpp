// The session cycle of the exam window: start-up, a new candidate's session, and the ways the program ends.
#include "exam/Unit1.h"

namespace exam {

void TSinavForm::FormCreate() {}
void TSinavForm::TemizleClick(platform::EventArgs&) {}
void TSinavForm::FormClose(platform::EventArgs&) {}
void TSinavForm::KapatBtnClick(platform::EventArgs&) { Close(); }

}  // namespace exam
