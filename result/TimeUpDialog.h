// The dialog shown when the exam's time is up: the number of words typed, then a countdown of five seconds
// after which it closes by itself. Its controls, as the design declares them: Label1, Tamam, Label2, SonucLabel,
// Label4, Label5, Button1, GeriSayimLabel, Label6 and the timer Timer1.
#pragma once

#include <functional>

#include "platform/Form.h"
#include "platform/pure/Countdown.h"
#include "result/TimeUpDialogLayout.h"

namespace result {

// The seconds the dialog has counted; shared with the session code, which sets it to 0 at every session start.
extern int OturumSayaci;

class TSonucForm : public platform::FormOf<TSonucForm> {
public:
    using Clock = platform::Countdown::Clock;

    // Builds the dialog centred over its owner, the exam window; `now` is the clock its seconds are read from.
    explicit TSonucForm(HWND owner, std::function<Clock::time_point()> now = &Clock::now);

    void FormShow(platform::EventArgs& args);
    void TamamClick(platform::EventArgs& args);
    void Timer1Timer(platform::EventArgs& args);
    void FormClose(platform::EventArgs& args);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void StartCountdown();

    std::function<Clock::time_point()> now_;
    platform::Countdown countdown_;
};

}  // namespace result
