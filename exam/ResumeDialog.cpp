#include "exam/ResumeDialog.h"

#include <string>

#include "exam/SupervisorKeys.h"
#include "platform/Guards.h"
#include "result/pure/LocalTimeText.h"

namespace exam {

namespace {

using platform::Event;
using platform::EventWiring;
using Self = TDevamForm;

const EventWiring<Self> kEventWiring[] = {
    {Self::kSelf, Event::KeyDown, &Self::FormKeyDown},
    {Self::kSelf, Event::Close, &Self::FormClose},
    {Self::kSelf, Event::HitTest, &Self::FormHitTest},
    {DevamForm::DevamBtn, Event::Click, &Self::DevamBtnClick},
    {DevamForm::DevamBtn, Event::KeyDown, &Self::FormKeyDown},
    {DevamForm::BitirBtn, Event::Click, &Self::BitirBtnClick},
    {DevamForm::BitirBtn, Event::KeyDown, &Self::FormKeyDown},
};

std::string DateAndTime(const result::LocalTime& time) {
    return result::DottedDate(time) + ' ' + result::ClockTime(time);
}

}  // namespace

TDevamForm::TDevamForm(HWND owner, const UnfinishedExam& exam, const config::Settings& settings)
    : FormOf(kEventWiring, DevamFormLayout()), timeUp_(exam.timeUp), sequenceHash_(settings.sequence) {
    Build(owner);
    ShowExam(exam);
    CentreClientArea({kDevamFormClientSize.cx, kDevamFormClientSize.cy + (timeUp_ ? kTimeUpHeight : 0)});
}

void TDevamForm::ShowExam(const UnfinishedExam& exam) {
    Control(DevamForm::AdayNo).SetText(exam.candidateNumber);
    Control(DevamForm::Adi).SetText(exam.firstName);
    Control(DevamForm::Soyadi).SetText(exam.surname);
    Control(DevamForm::PC).SetText(exam.computer);
    Control(DevamForm::Baslama).SetText(DateAndTime(exam.started));
    Control(DevamForm::Kesilme).SetText(DateAndTime(exam.stopped));
    Control(DevamForm::Kelime).SetText(std::to_string(exam.wordsTyped));
    Control(DevamForm::KalanSure).SetText(MinutesAndSeconds(exam.millisecondsLeft));
    for (const auto sentence : {DevamForm::SureDoldu1, DevamForm::SureDoldu2}) Control(sentence).SetVisible(timeUp_);
}

// Until the choice is open, the buttons are disabled and no control takes the focus: the keys come to the dialog
// itself. A wrong sequence says so and changes nothing else; once the choice is open, the sequence is not checked
// again, which would hold the dialog a quarter of a second for nothing.
void TDevamForm::FormKeyDown(platform::EventArgs& args) {
    const WORD key = args.key;
    platform::CancelAltF4(args);
    if (choiceOpen_ || !IsSupervisorsAlt(args)) return;
    switch (OfferToSequence(denetimSirasi_, sequenceHash_, key)) {
    case SequenceOutcome::Incomplete:
        return;
    case SequenceOutcome::Wrong:
        Control(DevamForm::Yanlis).SetVisible(true);
        return;
    case SequenceOutcome::Right:
        OpenTheChoice();
        return;
    }
}

// The first button that can be pressed takes the focus, so that Enter presses it and Tab moves on, as in the entry
// dialog.
void TDevamForm::OpenTheChoice() {
    choiceOpen_ = true;
    Control(DevamForm::Yanlis).SetVisible(false);
    Control(DevamForm::DevamBtn).SetEnabled(!timeUp_);
    Control(DevamForm::BitirBtn).SetEnabled(true);
    SetFocus(Control(timeUp_ ? DevamForm::BitirBtn : DevamForm::DevamBtn).Handle());
}

// A button counts only as the supervisor opened it, whatever reaches a disabled one.
void TDevamForm::Choose(ResumeChoice choice) {
    if (!choiceOpen_ || choice_ || (choice == ResumeChoice::Continue && timeUp_)) return;
    choice_ = choice;
    Close();
}

void TDevamForm::DevamBtnClick(platform::EventArgs&) { Choose(ResumeChoice::Continue); }

void TDevamForm::BitirBtnClick(platform::EventArgs&) { Choose(ResumeChoice::EndAsItStands); }

// Only the program closes the dialog: a close from the keyboard (Alt+F4 that got through) or from Windows is refused.
void TDevamForm::FormClose(platform::EventArgs& args) {
    if (!args.requested) args.refused = true;
}

void TDevamForm::FormHitTest(platform::EventArgs& args) { platform::RefuseCaptionDrag(args); }

}  // namespace exam
