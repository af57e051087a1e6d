// The exam itself: loading the sample text, the start countdown, the exam clock, the live counters and the
// finish sequence with the results.
#include "exam/Unit1.h"

namespace exam {

void TSinavForm::BaslatClick(platform::EventArgs&) {}
void TSinavForm::BaslatTimerTimer(platform::EventArgs&) {}
void TSinavForm::YazilanKeyUp(platform::EventArgs&) {}
void TSinavForm::SinavTimerTimer(platform::EventArgs&) {}

}  // namespace exam
