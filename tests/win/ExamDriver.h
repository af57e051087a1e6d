// What the tests that run exams in their own process share: a folder holding the sample file, an exam window on
// a clock the test moves, and the time-up dialog closed as soon as it shows.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "exam/ExamWindow.h"

namespace testing_pc1 {

inline constexpr char kRecordsFolder[] = "Tutanaklar";
// Settings that print nothing, keep records in kRecordsFolder under the current folder, a test's sample folder, and
// hold the tests' supervisor sequence.
config::Settings RecordsInTheCurrentFolder();

// Its keys come from the test, not from a keyboard.
class ClockedSinavForm : public exam::TSinavForm {
public:
    // With a hall folder, it writes its state file there; with a journal folder, it journals its exams there.
    explicit ClockedSinavForm(config::Settings settings = RecordsInTheCurrentFolder(), std::wstring hallFolder = {},
                              std::wstring journalFolder = {})
        : TSinavForm(Controls::AtOnce, KeySources::Any, std::move(settings), std::move(journalFolder),
                     std::move(hallFolder)) {}
    exam::ExamState::Clock::time_point now{std::chrono::seconds(1000)};

protected:
    exam::ExamState::Clock::time_point Now() const override { return now; }
};

// A fresh folder that is the current directory while the object lives, where the program looks for Metin.rtf.
class SampleFolder {
public:
    SampleFolder();
    ~SampleFolder();
    SampleFolder(const SampleFolder&) = delete;
    SampleFolder& operator=(const SampleFolder&) = delete;

    std::filesystem::path SampleFile() const { return path_ / "Metin.rtf"; }
    void Write(std::string_view content) const;

private:
    std::filesystem::path path_, previous_;
};

// An exam window on the real clock, with a one-line sample, shown and started as the start button does: what the
// benchmarks type into. With a journal folder, the exam is journaled there.
struct StartedExam {
    explicit StartedExam(const std::filesystem::path& journalFolder = {});

    SampleFolder folder;
    exam::TSinavForm form;
    platform::RichEditView yazilan = form.Control(exam::SinavForm::Yazilan);
};

// Types Windows-1254 text into the typing area a character at a time, as the tests' keys type (a CR LF is one
// Enter): the exam keeps it as the candidate's.
void TypeInto(HWND yazilan, std::string_view text);

// The time-up dialog closes itself after five seconds; tests close it as soon as it shows.
void CloseTimeUpDialogWhenShown();

// The text both writers' files in tests/data hold.
inline constexpr std::string_view kWritersText =
    "\x93G\xFCnayd\xFDn!\x94 dedi \xF6\xF0retmen. T\xFCrkiye\x92nin her k\xF6\xFE"
    "esinden gelen \xF6\xF0renciler "
    "s\xFDn\xFD"
    "fa girdi.\r\nKim bilir\x85 Belki de bug\xFCn ilk s\xFDnavlar\xFDyd\xFD \x97 ama hi\xE7"
    "biri "
    "korkmuyordu. I\xFE\xFDk, \xE7i\xE7"
    "ek, a\xF0"
    "a\xE7, \xDDstanbul, \xDEule, Ilgaz.";

// A file of tests/data, copied beside the test's executable.
std::string TestData(const char* name);

// What the tests read of the controls, which the program itself never needs to.
bool IsReadOnly(HWND edit);
int FirstVisibleLine(HWND edit);
std::vector<std::string> ListBoxItems(HWND listBox);

}  // namespace testing_pc1
