// The exam window: the program's main window, alive as long as the process.
#pragma once

#include <chrono>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "config/pure/Settings.h"
#include "exam/ExamInputFilter.h"
#include "exam/ExamJournal.h"
#include "exam/ExamScreen.h"
#include "exam/ExamWindowLayout.h"
#include "exam/SampleText.h"
#include "exam/UnfinishedJournals.h"
#include "exam/pure/ExamSession.h"
#include "hall/StateWriter.h"
#include "platform/Form.h"
#include "result/RecordKeeper.h"

namespace exam {

std::string BilgisayarAdi();  // the NetBIOS computer name, empty when it cannot be read
std::string ProgramLabel();   // "PC1 - (PC07)": the program's name and the computer's

class TSinavForm : public platform::FormOf<TSinavForm> {
public:
    // The text of the program's taskbar button and the title of its plain message boxes.
    static constexpr std::string_view kApplicationTitle = "PC1";
    // Posted to the window when a record's printing has ended.
    static constexpr UINT kPrintedMessage = WM_APP + 1;
    // How often the exam clock's timer looks in while the supervisor has stopped the clock: to tell the hall.
    static constexpr std::chrono::milliseconds kStoppedBeat{1000};

    // When the window makes its controls: at once, or while the first entry dialog waits for its candidate,
    // which puts the dialog on screen sooner.
    enum class Controls { AtOnce, DuringFirstEntry };

    using KeySources = ExamInputFilter::KeySources;

    // Builds the window covering the screen; the program entry then runs FormCreate, which starts the first
    // session. Tests build the window alone, with its controls at once, and drive it with keys of their own.
    // `settings`: the installation's, as the program entry read them. `journalFolder`: where the exams' journals are
    // kept and unfinished ones found; without one no exam is journaled. `hallFolder`: where this PC's state file for
    // the hall's console goes (hall::HallFolderIn); without one none is written.
    explicit TSinavForm(Controls controls = Controls::AtOnce, KeySources keys = KeySources::KeyboardOnly,
                        config::Settings settings = {}, std::wstring journalFolder = {}, std::wstring hallFolder = {});

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
    void MetinResize(platform::EventArgs& args);
    void YazilanResize(platform::EventArgs& args);
    void FormHitTest(platform::EventArgs& args);

    void UygulamaHatasi(const std::exception& error);
    void YazilanKeyDown(platform::EventArgs& args);
    void YazilanKeyPress(platform::EventArgs& args);
    void YazilanRecreated(platform::EventArgs& args);
    void MetinRecreated(platform::EventArgs& args);

    void SayaclariGuncelle();
    const ExamSession& Session() const { return session_; }
    // The writer of this PC's state file; none without a hall folder.
    const hall::StateWriter* HallState() const { return hallState_.get(); }

protected:
    virtual ExamState::Clock::time_point Now() const { return ExamState::Clock::now(); }
    std::optional<LRESULT> FilterControlMessage(int control, HWND, UINT message, WPARAM wParam, LPARAM) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Refit() override;

private:
    ExamState::Instant ExamInstant() const { return {Now(), ExamState::WallClock::now()}; }
    // What the session said must happen after an event, in its order.
    void Carry(const ExamSession::Effects& effects);
    void ShowExamClock();
    void ShowCloseButton(bool shown);
    void ShowEdit(const TypedText::Edit& edit);
    // The text areas show what the exam keeps, whatever another program did to them.
    void KeepTextAreas();
    // One short step of making the window ready for a new candidate; false once it is ready. The first session
    // makes the controls here.
    bool PrepareForNewCandidate();
    // The exam whose time is up: scored, its record kept, then printed once the results are on screen.
    void ScoreAndKeep();
    // The oldest exam that an ended program left unfinished on this PC comes back as the supervisor chooses; false
    // when there is none, and the new candidate is entered.
    bool TakeUpUnfinishedExam();
    void RestoreExam(const UnfinishedJournals::Found& found);
    void TellTheHall();
    // The status bar: the counts, then what the keeper says became of the record on disk and on paper.
    void ShowStatus();

    ExamSession session_;
    ExamInputFilter input_;
    config::Settings settings_;
    ExamScreen screen_;
    std::optional<SampleContent> sample_;
    std::size_t liveWordsShown_ = 0;  // MetinListBox holds the typed words up to this one while the candidate types
    std::string statusCounts_;        // the status bar's counts, after which what became of the record is shown
    std::optional<result::RecordKeeper> keeper_;  // made with the window, to which it posts what became of a print
    ExamJournals journals_;
    UnfinishedJournals unfinished_;
    std::unique_ptr<hall::StateWriter> hallState_;
};

}  // namespace exam
