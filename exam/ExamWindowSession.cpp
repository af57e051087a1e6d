// The session cycle of the exam window: start-up, a new candidate's session, and the ways the program ends.
#include "exam/ExamWindow.h"

#include <algorithm>
#include <string>

#include "entry/Backdrop.h"
#include "entry/EntryDialog.h"
#include "platform/Cp1254.h"
#include "platform/ErrorHandler.h"
#include "platform/Files.h"
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

}  // namespace

void TSinavForm::FormCreate() {
    errorWindow = this;
    platform::SetApplicationErrorHandler(&ReportToExamWindow);
    platform::EventArgs args;
    TemizleClick(args);
}

std::string TSinavForm::BilgisayarAdi() {
    wchar_t name[256];
    DWORD size = 256;
    return GetComputerNameW(name, &size) ? platform::NarrowCp1254({name, size}) : std::string();
}

// A session begins at start-up and after an exam's results are shown, and at no other time: a click that another
// program sends, or one that arrives while the results are being worked out, changes nothing.
void TSinavForm::TemizleClick(platform::EventArgs&) {
    if (!exam_.NewSession()) return;
    if (TakeUpUnfinishedExam()) return;
    TellTheHall();
    {
        entry::TArkaPlan arkaPlan(Handle());
        entry::TGirisForm girisForm(arkaPlan.Handle());
        LetGoOfTheScreen();
        ShowWindow(Handle(), SW_HIDE);
        arkaPlan.Show();
        // The hidden window is made ready for the new candidate while the dialog waits for them.
        girisForm.ShowModal([this] { return PrepareForNewCandidate(); });
    }  // the dialog is destroyed first, then the backdrop
    exam_.CandidateEntered();
    ShowCandidate();
    TellTheHall();
    HoldTheScreen();
    ShowWindow(Handle(), SW_SHOW);
}

void TSinavForm::ShowCandidate() {
    Control(SinavForm::AdayNoLabel).SetText(entry::AdayKaydi.adayNo);
    Control(SinavForm::AdiLabel).SetText(entry::AdayKaydi.adi);
    Control(SinavForm::SoyadiLabel).SetText(entry::AdayKaydi.soyadi);
}

void TSinavForm::MakeControls() {
    BuildControls();
    ShowComputerLabel();
}

std::string TSinavForm::ProgramLabel() { return ProgramName() + " - (" + BilgisayarAdi() + ")"; }

void TSinavForm::ShowComputerLabel() { Control(SinavForm::PCLabel).SetText(ProgramLabel()); }

bool TSinavForm::PrepareForNewCandidate() {
    if (!HasControls()) {
        if (BuildControlsStep()) return true;
        ShowComputerLabel();
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
    sampleText_.clear();
    Control(SinavForm::Metin).SetText("");
    typed_.Clear();
    liveWordsShown_ = 0;
    wrongSpans_.clear();
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
    if (!args.requested && !kapatBtnShown_) {
        args.refused = true;
        return;
    }
    FlushJournals();
    platform::EndProgram(0);
}

void TSinavForm::FlushJournals() {
    journal_.Flush();
    for (AwaitingPrint& awaiting : awaitingPrint_) awaiting.journal.Flush();
}

void TSinavForm::KapatBtnClick(platform::EventArgs&) {
    if (kapatBtnShown_) Close();
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

}  // namespace exam
