#include "exam/Unit1.h"

#include "exam/Unit1Layout.h"
#include "platform/MessageLoop.h"

namespace exam {

namespace {

using platform::Event;
using platform::EventWiring;
using Self = TSinavForm;

constexpr int kKapatBtnRightGap = 39;  // keeps the 35-pixel button 4 pixels from the panel's right end

const EventWiring<Self> kEventWiring[] = {
    {Self::kSelf, Event::Show, &Self::FormShow},
    {Self::kSelf, Event::Resize, &Self::FormResize},
    {Self::kSelf, Event::Close, &Self::FormClose},
    {Self::kSelf, Event::KeyDown, &Self::FormKeyDown},
    {Self::kSelf, Event::HitTest, &Self::FormHitTest},
    {SinavForm::Metin, Event::KeyDown, &Self::FormKeyDown},
    {SinavForm::Yazilan, Event::KeyDown, &Self::FormKeyDown},
    {SinavForm::Yazilan, Event::KeyUp, &Self::YazilanKeyUp},
    {SinavForm::Yazilan, Event::KeyDown, &Self::YazilanTyping},
    {SinavForm::Yazilan, Event::KeyPress, &Self::YazilanTyping},
    {SinavForm::Yazilan, Event::MouseDown, &Self::YazilanMouseDown},
    {SinavForm::MetinListBox, Event::KeyDown, &Self::FormKeyDown},
    {SinavForm::DogruListBox, Event::KeyDown, &Self::FormKeyDown},
    {SinavForm::YanlisListBox, Event::KeyDown, &Self::FormKeyDown},
    {SinavForm::Temizle, Event::Click, &Self::TemizleClick},
    {SinavForm::Temizle, Event::KeyDown, &Self::FormKeyDown},
    {SinavForm::Baslat, Event::Click, &Self::BaslatClick},
    {SinavForm::Baslat, Event::KeyDown, &Self::FormKeyDown},
    {SinavForm::KapatBtn, Event::Click, &Self::KapatBtnClick},
    {SinavForm::KapatBtn, Event::KeyDown, &Self::FormKeyDown},
    {SinavForm::CaptionPanel, Event::Resize, &Self::CaptionPanelResize},
    {SinavForm::SinavTimer, &Self::SinavTimerTimer},
    {SinavForm::BaslatTimer, &Self::BaslatTimerTimer},
};

}  // namespace

TSinavForm::TSinavForm(Controls controls, KeySources keys, app::Settings settings)
    : input_(keys), settings_(std::move(settings)) {
    BuildFrame(SinavFormSpec(), SinavFormControls(), SinavFormTimers());
    printer_.emplace(Handle(), kPrintedMessage);
    CoverTheScreen();
    if (controls == Controls::AtOnce) MakeControls();
}

void TSinavForm::OnEvent(int source, Event event, platform::EventArgs& args) {
    platform::DispatchEvent<Self>(*this, kEventWiring, source, event, args);
}

std::optional<LRESULT> TSinavForm::FilterControlMessage(int control, HWND, UINT message, WPARAM wParam, LPARAM) {
    using Target = ExamInputFilter::Target;
    const Target target = control == SinavForm::Yazilan.index ? Target::TypingArea
                          : control == SinavForm::Metin.index ? Target::SampleText
                                                              : Target::OtherControl;
    if (input_.Refuses(target, message, wParam, exam_.AcceptsTyping())) return 0;
    return std::nullopt;
}

bool TSinavForm::AcceptsQueued(const MSG& message) const {
    if (message.hwnd == Handle()) return ExamInputFilter::AcceptsQueuedForWindow(message.message);
    if (message.hwnd && IsChild(Handle(), message.hwnd))
        return ExamInputFilter::AcceptsQueuedForControl(message.message);
    return true;
}

// Windows may always end the session; when it does, the process goes at once, without the close handler and
// whatever dialog is open, so that it never holds up the shutdown. The borderless window has no system menu:
// a system command other than closing comes from another program that would minimise, move or size it.
LRESULT TSinavForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) ExitProcess(0);
        return 0;
    case WM_DESTROY:
        platform::RequestQuit(0);
        return 0;
    case kPrintedMessage:
        ShowPrintOutcomes();
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != SC_CLOSE) return 0;
        break;
    default:
        if (input_.Refuses(ExamInputFilter::Target::Window, message, wParam, exam_.AcceptsTyping())) return 0;
        break;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

RECT TSinavForm::ScreenBounds() const { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// Borderless, on top of every other window and as large as the screen.
void TSinavForm::CoverTheScreen() {
    const RECT screen = ScreenBounds();
    SetWindowPos(Handle(), HWND_TOPMOST, screen.left, screen.top, screen.right, screen.bottom, SWP_NOACTIVATE);
}

void TSinavForm::KeepProportions() {
    RECT client;
    GetClientRect(Handle(), &client);
    Control(SinavForm::Metin).SetWidth(client.right / 2);
    Control(SinavForm::GroupBox2).SetWidth(client.right / 4);
}

void TSinavForm::FormShow(platform::EventArgs&) { KeepProportions(); }
void TSinavForm::FormResize(platform::EventArgs&) { KeepProportions(); }

void TSinavForm::CaptionPanelResize(platform::EventArgs&) {
    Control(SinavForm::KapatBtn).SetLeft(Control(SinavForm::CaptionPanel).Bounds().width - kKapatBtnRightGap);
}

}  // namespace exam
