// The session cycle of the exam window: start-up, a new candidate's session, and the ways the program ends.
#include "exam/ExamWindow.h"

#include <algorithm>
#include <string>

#include "entry/Backdrop.h"
#include "entry/EntryDialog.h"
#include "exam/ResumeDialog.h"
#include "platform/ComputerName.h"
#include "platform/Cp1254.h"
#include "platform/ErrorHandler.h"
#include "platform/Files.h"
#include "platform/Log.h"
#include "platform/ProgramEnd.h"
#include "platform/RichEdit.h"
#include "result/TimeUpDialog.h"

namespace exam {

namespace {

constexpr char kHata[] = "HATA: ";
constexpr char kProgramKapatilacak[] = "Program kapat\xFDlacak.";

TSinavForm* errorWindow = nullptr;  // the exam window, which the application-wide error handler closes

void ReportToExamWindow(const std::exception& error) { errorWindow->UygulamaHatasi(error); }

// The executable's file name without its last four characters, the ".exe".
std::string ProgramName() {
    const std::wstring path = platform::ProgramPath();
    const std::wstring fileName = path.substr(path.find_last_of(L"\\/") + 1);
    return platform::NarrowCp1254(fileName.substr(0, fileName.size() - std::min<std::size_t>(fileName.size(), 4)));
}

void ShowCandidate(const TSinavForm& form, const Candidate& candidate) {
    form.Control(SinavForm::AdayNoLabel).SetText(candidate.number);
    form.Control(SinavForm::AdiLabel).SetText(candidate.firstName);
    form.Control(SinavForm::SoyadiLabel).SetText(candidate.surname);
}

}  // namespace

void TSinavForm::FormCreate() {
    errorWindow = this;
    platform::SetApplicationErrorHandler(&ReportToExamWindow);
    platform::EventArgs args;
    TemizleClick(args);
}

std::string BilgisayarAdi() { return platform::NarrowCp1254(platform::ComputerName()); }

// A session begins at start-up and after an exam's results are shown, and at no other time: a click that another
// program sends, or one that arrives while the results are being worked out, changes nothing.
void TSinavForm::TemizleClick(platform::EventArgs&) {
    if (!session_.NewSession()) return;
    if (TakeUpUnfinishedExam()) return;
    TellTheHall();
    {
        entry::TArkaPlan arkaPlan(Handle());
        entry::TGirisForm girisForm(arkaPlan.Handle());
        screen_.LetGo();
        ShowWindow(Handle(), SW_HIDE);
        arkaPlan.Show();
        // The hidden window is made ready for the new candidate while the dialog waits for them.
        girisForm.ShowModal([this] { return PrepareForNewCandidate(); });
    }  // the dialog is destroyed first, then the backdrop
    Carry(session_.CandidateEntered({entry::AdayKaydi.adayNo, entry::AdayKaydi.adi, entry::AdayKaydi.soyadi}));
    ShowCandidate(*this, session_.CurrentCandidate());
    screen_.Hold();
    ShowWindow(Handle(), SW_SHOW);
}

std::string ProgramLabel() { return ProgramName() + " - (" + BilgisayarAdi() + ")"; }

bool TSinavForm::PrepareForNewCandidate() {
    if (!HasControls()) {
        if (BuildControlsStep()) return true;
        Control(SinavForm::PCLabel).SetText(ProgramLabel());
    }
    result::OturumSayaci = 0;
    Control(SinavForm::SureLabel).SetText("180");
    Control(SinavForm::GroupBox1).SetVisible(false);
    Control(SinavForm::Baslat).SetEnabled(true);
    Control(SinavForm::Temizle).SetEnabled(false);
    statusCounts_.clear();
    keeper_->NewCandidate();
    Control(SinavForm::StatusBar1).SetText("");
    sample_.reset();
    Control(SinavForm::Metin).SetText("");
    liveWordsShown_ = 0;
    // The previous exam's underlines go with its text.
    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    yazilan.Select(0, -1);
    yazilan.StyleSelection(platform::TextStyle::Plain);
    yazilan.SetText("");
    yazilan.ClearUndo();
    return false;
}

// Only the program closes the window, by the close button once the supervisor has revealed it; what another
// program asks for, the taskbar's Close among them, never reaches the window (platform/OutsideMessages). An exam
// under way stays in its journal, for the supervisor to continue or end at the next start.
void TSinavForm::FormClose(platform::EventArgs& args) {
    if (!args.requested && !session_.CloseButtonShown()) {
        args.refused = true;
        return;
    }
    journals_.Flush();
    platform::EndProgram(0);
}

void TSinavForm::KapatBtnClick(platform::EventArgs&) {
    if (session_.CloseButtonShown()) Close();
}

// The box belongs to the window in use, so that it shows above the topmost exam window and keeps the candidate
// from that window until it is dismissed.
void TSinavForm::UygulamaHatasi(const std::exception& error) {
    const HWND active = GetActiveWindow();
    const std::string message = kHata + std::string(error.what()) + kProgramKapatilacak;
    MessageBoxW(active ? active : Handle(), platform::WidenCp1254(message).c_str(),
                platform::WidenCp1254(kApplicationTitle).c_str(), MB_OK);
    Close();
}

// Every journal left is looked at: what cannot be this PC's exam is named to the supervisor, in one message, once; the
// oldest that can comes back only as the supervisor chooses: continued, ended as it stood, or, when its time was up,
// completed. A dialog that closes without a choice (the program ends) leaves the journal as it was.
bool TSinavForm::TakeUpUnfinishedExam() {
    std::vector<std::string> notTakenUp;
    const std::optional<UnfinishedJournals::Found> found = unfinished_.Next(BilgisayarAdi(), notTakenUp);
    for (const std::string& line : notTakenUp) platform::Log("journal-not-taken-up", line);
    if (!notTakenUp.empty()) {
        MessageBoxW(Handle(), platform::WidenCp1254(JournalsReport(notTakenUp)).c_str(),
                    platform::WidenCp1254(kApplicationTitle).c_str(), MB_OK | MB_ICONWARNING);
    }
    if (!found) return false;
    const UnfinishedExam unfinished = session_.Offer(*found->read.state);
    TellTheHall();
    std::optional<ResumeChoice> choice;
    {  // over the backdrop, as the entry dialog; the hidden window makes its controls meanwhile
        entry::TArkaPlan arkaPlan(Handle());
        TDevamForm devamForm(arkaPlan.Handle(), unfinished, settings_);
        screen_.LetGo();
        ShowWindow(Handle(), SW_HIDE);
        arkaPlan.Show();
        devamForm.ShowModal([this] { return PrepareForNewCandidate(); });
        choice = devamForm.Choice();
    }
    if (!choice) return true;
    platform::Log("exam-taken-up", unfinished.examId + (*choice == ResumeChoice::Continue ? " continued" : " ended"));
    RestoreExam(*found);
    Carry(session_.TakeUp(*found->read.state, {found->sample.identity, Control(SinavForm::Metin).Text()}, *choice,
                          ExamInstant()));
    SayaclariGuncelle();
    return true;
}

// The window as the ended program left it: the candidate, the sample, the typed text with its caret at the end and
// no undo history, and the clock stopped with the time that was left. The supervisor's last key is still down as
// the window takes the keyboard: its release does not start the clock, the candidate's first key does.
void TSinavForm::RestoreExam(const UnfinishedJournals::Found& found) {
    const journal::JournalState& state = *found.read.state;
    while (PrepareForNewCandidate()) {}
    const platform::RichEditView metin = Control(SinavForm::Metin);
    sample_ = found.sample;
    ShowSampleText(metin, *sample_);
    metin.Select(0, 0);
    journals_.Current().Continue(found.path, found.read);

    const platform::RichEditView yazilan = Control(SinavForm::Yazilan);
    yazilan.SetReadOnly(false);
    yazilan.SetText(state.typed);
    yazilan.ClearUndo();
    yazilan.Select(static_cast<int>(state.typed.size()), 0);
    ShowCandidate(*this, {state.opening.candidateNumber, state.opening.firstName, state.opening.surname});
    Control(SinavForm::Baslat).SetEnabled(false);
    Control(SinavForm::BaslaPanel).SetVisible(false);
    Control(SinavForm::SurePanel).SetVisible(true);

    for (int key = 0; key < 256; ++key)
        if (GetAsyncKeyState(key) & 0x8000) session_.SupervisorKeyDown(static_cast<std::uint8_t>(key));
    screen_.Hold();
    ShowWindow(Handle(), SW_SHOW);
    SetFocus(yazilan.Handle());
}

// Handed to the state writer, whose thread writes it: the window never waits for it.
void TSinavForm::TellTheHall() {
    if (!hallState_) return;
    const result::RecordKeeper::Problems problems = keeper_->CurrentProblems();
    hallState_->Hand(session_.HallState(
        ExamInstant(),
        {.fallbackFolder = problems.inDefaultFolder, .notKept = problems.notKept, .notPrinted = problems.notPrinted},
        journals_.Current().Problem()));
}

void TSinavForm::ShowStatus() { Control(SinavForm::StatusBar1).SetText(statusCounts_ + keeper_->Status()); }

}  // namespace exam
