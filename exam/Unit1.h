// The exam window: the program's main window, alive as long as the process.
#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "exam/SupervisorSequence.h"
#include "platform/Countdown.h"
#include "platform/Form.h"
#include "text/TextAnalysis.h"

namespace exam {

class TSinavForm : public platform::Form {
public:
    // The text of the program's taskbar button and the title of its plain message boxes.
    static constexpr std::string_view kApplicationTitle = "PC1";

    // When the window makes its controls: at once, or while the first entry dialog waits for its candidate,
    // which puts the dialog on screen sooner.
    enum class Controls { AtOnce, DuringFirstEntry };

    // Builds the window covering the screen; the program entry then runs FormCreate, which starts the first
    // session. Tests build the window alone, with its controls at once.
    explicit TSinavForm(Controls controls = Controls::AtOnce);

    void FormCreate();
    void FormShow(platform::EventArgs& args);
    void TemizleClick(platform::EventArgs& args);
    void FormClose(platform::EventArgs& args);
    void FormKeyDown(platform::EventArgs& args);
    void FormResize(platform::EventArgs& args);
    void BaslatClick(platform::EventArgs& args);
    void KapatBtnClick(platform::EventArgs& args);
    void BaslatTimerTimer(platform::EventArgs& args);
    void YazilanKeyUp(platform::EventArgs& args);
    void YazilanMouseDown(platform::EventArgs& args);
    void SinavTimerTimer(platform::EventArgs& args);
    void CaptionPanelResize(platform::EventArgs& args);
    void FormHitTest(platform::EventArgs& args);

    static std::string BilgisayarAdi();  // the NetBIOS computer name, empty when it cannot be read
    void UygulamaHatasi(const std::exception& error);
    void YazilanTyping(platform::EventArgs& args);

    void SayaclariGuncelle();
    void ShowResults(const text::ScoreResult& result);
    void YanlislariIsaretle();

protected:
    virtual platform::Countdown::Clock::time_point Now() const { return platform::Countdown::Clock::now(); }
    void OnEvent(std::string_view source, platform::Event event, platform::EventArgs& args) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CoverTheScreen();
    void MakeControls();
    void ShowComputerLabel();
    // One short step of making the window ready for a new candidate; false once it is ready. The first session
    // makes the controls here.
    bool PrepareForNewCandidate();
    void KeepProportions();
    void EndStartCountdown();
    void FinishExam();
    int DisplayedCharacterCount(std::string_view typed) const;
    void FillLiveWordList(const text::WordList& words);

    platform::Countdown startCountdown_;
    platform::Countdown examCountdown_;
    text::WordList liveWords_;  // what MetinListBox holds while the candidate types
    SupervisorSequence denetimSirasi_;
};

}  // namespace exam
