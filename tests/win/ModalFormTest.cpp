// Work handed to a modal form's loop waits until the form is on screen, runs a step at a time with messages
// handled in between, is done by the time the loop returns, and never lets an error escape the loop.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ErrorHandler.h"
#include "platform/Form.h"

namespace {

const platform::FormSpec kProbeSpec{
    .className = L"TProbeForm",
    .caption = "Probe",
    .bounds = {100, 100, 300, 200},
    .style = WS_POPUP | WS_CAPTION,
    .baseFont = platform::kBaseFont,
};

const platform::ControlSpec kProbeControls[] = {
    {.name = "Label1", .kind = platform::ControlKind::Label, .bounds = {8, 8, 100, 13}, .text = "Bekleyin"},
};

class ProbeForm : public platform::Form {
public:
    ProbeForm() { Build(kProbeSpec, kProbeControls, {}); }
};

// What the work saw of the form when it ran.
struct Seen {
    int count = 0;
    bool visible = false, painted = false, modal = false;
};

std::string reportedError;

class ModalForm : public testing::Test {
protected:
    void SetUp() override {
        reportedError.clear();
        platform::SetApplicationErrorHandler([](const std::exception& error) { reportedError = error.what(); });
    }

    void Record(Seen& seen) {
        ++seen.count;
        seen.visible = IsWindowVisible(form.Handle()) != FALSE;
        seen.painted = GetUpdateRect(form.Handle(), nullptr, FALSE) == FALSE;
        seen.modal = form.IsModal();
    }

    ProbeForm form;
};

TEST_F(ModalForm, WorkWaitsUntilTheFormIsPainted) {
    Seen seen;
    form.ShowModal([&] {
        Record(seen);
        PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
        return false;
    });
    EXPECT_EQ(seen.count, 1);
    EXPECT_TRUE(seen.visible);
    EXPECT_TRUE(seen.painted);
    EXPECT_TRUE(seen.modal);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

// A message that arrives during a step is handled before the next step: here it closes the form, after which
// the steps left still run, before ShowModal returns, so that the caller can count on the work being done.
TEST_F(ModalForm, MessagesGoBetweenStepsAndStepsLeftRunBeforeReturning) {
    std::vector<bool> modalAtStep;
    form.ShowModal([&] {
        modalAtStep.push_back(form.IsModal());
        if (modalAtStep.size() == 1) PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
        return modalAtStep.size() < 3;
    });
    EXPECT_EQ(modalAtStep, (std::vector<bool>{true, false, false}));
}

TEST_F(ModalForm, WorkRunsBeforeReturningWhenTheFormClosesFirst) {
    Seen seen;
    PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
    form.ShowModal([&] {
        Record(seen);
        return false;
    });
    EXPECT_EQ(seen.count, 1);
    EXPECT_FALSE(seen.modal);
}

// The form closes from a timer set by the failing step: only a loop that went on after the error closes it.
TEST_F(ModalForm, AnErrorEndsTheWorkNotTheLoop) {
    int steps = 0;
    form.ShowModal([&]() -> bool {
        ++steps;
        SetTimer(form.Handle(), 1, 10, [](HWND window, UINT, UINT_PTR id, DWORD) {
            KillTimer(window, id);
            PostMessageW(window, WM_CLOSE, 0, 0);
        });
        throw std::runtime_error("bozuk");
    });
    EXPECT_EQ(reportedError, "bozuk");
    EXPECT_EQ(steps, 1);
}

}  // namespace
