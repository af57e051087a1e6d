// The exam window: the program's main window, alive as long as the process.
#pragma once

#include <bitset>
#include <chrono>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/pure/Settings.h"
#include "exam/ExamInputFilter.h"
#include "exam/ExamJournal.h"
#include "exam/ExamWindowLayout.h"
#include "exam/ResumeDialog.h"
#include "exam/SampleText.h"
#include "exam/pure/ExamState.h"
#include "exam/pure/SupervisorSequence.h"
#include "exam/pure/TypedText.h"
#include "hall/StateWriter.h"
#include "hall/pure/StateChain.h"
#include "platform/Form.h"
#include "platform/MonitorCovers.h"
#include "result/RecordKeeper.h"
#include "result/pure/ExamRecord.h"
#include "text/TextAnalysis.h"

namespace exam {

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
    void TextAreaResize(platform::EventArgs& args);
    void FormHitTest(platform::EventArgs& args);

    static std::string BilgisayarAdi();  // the NetBIOS computer name, empty when it cannot be read
    static std::string ProgramLabel();   // "PC1 - (PC07)": the program's name and the computer's
    void UygulamaHatasi(const std::exception& error);
    void YazilanKeyDown(platform::EventArgs& args);
    void YazilanKeyPress(platform::EventArgs& args);
    void YazilanRecreated(platform::EventArgs& args);
    void MetinRecreated(platform::EventArgs& args);

    void SayaclariGuncelle();
    const ExamState& Exam() const { return exam_; }
    // The writer of this PC's state file; none without a hall folder.
    const hall::StateWriter* HallState() const { return hallState_.get(); }
    // `wrongSpans`: where the typed text's wrong words are, to underline.
    void ShowResults(const text::ScoreResult& result, const std::vector<text::WordSpan>& wrongSpans);
    void YanlislariIsaretle(const std::vector<text::WordSpan>& wrongSpans);

protected:
    virtual ExamState::Clock::time_point Now() const { return ExamState::Clock::now(); }
    std::optional<LRESULT> FilterControlMessage(int control, HWND, UINT message, WPARAM wParam, LPARAM) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Refit() override;

private:
    RECT ScreenBounds() const;
    void CoverTheScreen();
    // From the candidate's entry to the next session the window stays where it is and the mouse on its monitor.
    void HoldTheScreen();
    void LetGoOfTheScreen();
    ExamState::Instant ExamInstant() const { return {Now(), ExamState::WallClock::now()}; }
    void StartExamClock();
    void ShowExamClock();
    void MakeControls();
    void ShowComputerLabel();
    // One short step of making the window ready for a new candidate; false once it is ready. The first session
    // makes the controls here.
    bool PrepareForNewCandidate();
    void KeepProportions();
    void ShowCloseButton(bool shown);
    // A key that arrives once the exam's time has passed ends the exam instead of typing; true when it did.
    bool EndsTheExam(platform::EventArgs& args);
    TypedText::Range TypingSelection() const;
    void ApplyEdit(const std::optional<TypedText::Edit>& edit);
    // The text areas show what the exam keeps, whatever another program did to them.
    void KeepTextAreas();
    void ShowTypedText();
    void FinishExam();
    // Scores the exam whose time is up, keeps its record and prints it; when `completing` an exam that an ended
    // program left after its time was up, only what its journal does not say was done.
    void ScoreAndKeep(const journal::JournalState* completing = nullptr);
    void ShowCandidate();
    result::ExamRecord RecordOf(std::string typed, const text::ScoreResult& result,
                                std::vector<text::WordSpan> wrongSpans) const;
    // The status bar: the counts, then what the keeper says became of the record on disk and on paper.
    void ShowStatus();
    std::string JournalNotice() const;  // what the status bar says of a journal that fails, after its counts
    int DisplayedCharacterCount() const;
    void ShowLiveWords();

    // The journal (ExamWindowJournal.cpp).
    std::uint32_t ExamMs() const;  // the exam clock's running time, as the journal counts it
    void OpenJournal();
    void WriteTick();
    // The oldest exam that an ended program left unfinished on this PC, with this PC's sample, and this process has
    // not taken up yet, comes back into the window, continued, ended or completed as the supervisor chooses; false
    // when there is none, and the new candidate is entered.
    bool TakeUpUnfinishedExam();
    bool TakeUp(const std::wstring& path, const journal::ReadResult& read, const SampleContent& sample);
    // None when the dialog closed without a choice: the program ends.
    std::optional<ResumeChoice> AskSupervisor(const UnfinishedExam& unfinished);
    void RestoreExam(const std::wstring& path, const journal::ReadResult& read, const SampleContent& sample);
    // A print ended: the journal of its exam is finished.
    void PrintsEnded(const std::vector<int>& jobs);
    // Everything journaled is on disk: the program ends.
    void FlushJournals();

    // The hall's console (ExamWindowHall.cpp): the state as the exam's phase gives it, or as an unfinished exam's
    // journal gives it while the supervisor chooses.
    void StartTellingTheHall(std::wstring hallFolder);
    hall::PcState HallStateOf(hall::Phase phase) const;
    void TellTheHall();
    void TellTheHall(const UnfinishedExam& unfinished, std::string_view typed);
    void TellTheHallWhileRunning();
    // Stamps and hands a state: the writer's thread writes it.
    void HandToTheHall(hall::PcState state, std::string_view typed);

    ExamState exam_;
    ExamInputFilter input_;
    TypedText typed_;
    std::size_t liveWordsShown_ = 0;  // MetinListBox holds the typed words up to this one while the candidate types
    std::optional<SampleContent> sample_;
    std::string sampleText_;                  // the sample's plain text as its control read it, which scoring takes
    std::vector<text::WordSpan> wrongSpans_;  // underlined once the exam is scored
    SupervisorSequence denetimSirasi_;
    std::bitset<256> sequenceKeysDown_;  // digits pressed in the supervisor's sequence: releasing them resumes nothing
    bool kapatBtnShown_ = false;
    platform::MonitorCovers covers_;
    bool holdingTheScreen_ = false;
    config::Settings settings_;
    std::optional<result::RecordKeeper> keeper_;  // made with the window, to which it posts what became of a print
    std::string statusCounts_;  // the status bar's counts, after which what became of the record is shown
    std::wstring journalFolder_;
    std::vector<std::wstring> takenUp_;  // journals of unfinished exams this process has taken up
    ExamJournal journal_;
    std::vector<result::Interruption> interruptions_;  // of the exam under way, from its journal
    struct AwaitingPrint {
        int job;
        ExamJournal journal;
        std::wstring documentPath;
    };
    std::vector<AwaitingPrint> awaitingPrint_;  // kept exams' journals until their print has ended
    std::unique_ptr<hall::StateWriter> hallState_;
    std::optional<hall::StateChain> hallChain_;  // with the writer
    std::optional<hall::TakenUp> hallTakenUp_;   // the exam under way as its journal gave it back, if it was
    ExamState::Clock::time_point lastToldTheHall_{};
};

}  // namespace exam
