#include "result/TimeUpDialog.h"

#include <string>
#include <utility>

#include "result/TimeUpDialogLayout.h"

namespace result {

int OturumSayaci = 0;

namespace {

using platform::Event;
using platform::EventWiring;
using Self = TSonucForm;

constexpr int kSeconds = 5;

const EventWiring<Self> kEventWiring[] = {
    {SonucForm::Tamam, Event::Click, &Self::TamamClick},
    {SonucForm::Timer1, &Self::Timer1Timer},
    {Self::kSelf, Event::Show, &Self::FormShow},
    {Self::kSelf, Event::Close, &Self::FormClose},
};

}  // namespace

TSonucForm::TSonucForm(HWND owner, std::function<Clock::time_point()> now)
    : FormOf(kEventWiring, SonucFormLayout()), now_(std::move(now)) {
    Build(owner);
    CentreClientArea({kSonucClientWidth, kSonucClientHeight}, owner);
    StartCountdown();
}

// The dialog only ever runs modally. A close request queued behind the one that ended its loop (a second click,
// the close box behind the last tick) finds it closed already; passed on, it would destroy the window that the
// caller still holds.
LRESULT TSonucForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE && !IsModal()) return 0;
    return Form::HandleMessage(message, wParam, lParam);
}

// The timer runs from the dialog's creation; its seconds count from the moment the dialog appears.
void TSonucForm::StartCountdown() {
    const Clock::time_point now = now_();
    countdown_.Start(now, kSeconds);
    Timer(SonucForm::Timer1).Schedule(countdown_.UntilNextTick(now));
}

void TSonucForm::FormShow(platform::EventArgs&) { StartCountdown(); }

void TSonucForm::TamamClick(platform::EventArgs&) { Close(); }

// Timer ticks come late, or several merged into one, when the machine is busy; counting them would keep the
// dialog up longer than five seconds. So each tick reads the seconds really gone, and the next one is aimed at
// the next whole second.
void TSonucForm::Timer1Timer(platform::EventArgs&) {
    const Clock::time_point now = now_();
    if (countdown_.Finished(now)) {
        OturumSayaci = 0;
        Timer(SonucForm::Timer1).SetEnabled(false);
        Control(SonucForm::GeriSayimLabel).SetText(std::to_string(kSeconds));
        Close();
        return;
    }
    const int secondsLeft = countdown_.SecondsLeft(now);
    OturumSayaci = kSeconds - secondsLeft;
    Control(SonucForm::GeriSayimLabel).SetText(std::to_string(secondsLeft));
    Timer(SonucForm::Timer1).Schedule(countdown_.UntilNextTick(now));
}

void TSonucForm::FormClose(platform::EventArgs&) {
    Timer(SonucForm::Timer1).SetEnabled(false);
    OturumSayaci = 0;
}

}  // namespace result
