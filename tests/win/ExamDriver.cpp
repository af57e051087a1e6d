#include "tests/win/ExamDriver.h"

#include <windows.h>

#include <fstream>
#include <iterator>

#include "platform/Cp1254.h"
#include "platform/ListBox.h"
#include "tests/win/TestSequence.h"

namespace testing_pc1 {

config::Settings RecordsInTheCurrentFolder() {
    config::Settings settings;
    settings.printer.kind = config::PrinterChoice::Kind::None;
    settings.recordsFolder = kRecordsFolder;
    settings.sequence = TestSequenceHash();
    return settings;
}

SampleFolder::SampleFolder()
    : path_(std::filesystem::temp_directory_path() /
            ("pc1-sample-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64()))),
      previous_(std::filesystem::current_path()) {
    std::filesystem::create_directories(path_);
    std::filesystem::current_path(path_);
}

SampleFolder::~SampleFolder() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void SampleFolder::Write(std::string_view content) const {
    std::ofstream(SampleFile(), std::ios::binary).write(content.data(), static_cast<std::streamsize>(content.size()));
}

void TypeInto(HWND yazilan, std::string_view text) {
    for (const wchar_t c : platform::WidenCp1254(text))
        if (c != L'\n') SendMessageW(yazilan, WM_CHAR, c, 1);
}

void CloseTimeUpDialogWhenShown() {
    SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
        if (const HWND dialog = FindWindowW(L"TSonucForm", nullptr)) {
            KillTimer(nullptr, id);
            PostMessageW(dialog, WM_CLOSE, 0, 0);
        }
    });
}

std::string TestData(const char* name) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::ifstream file(std::filesystem::path(exe).parent_path() / "testdata" / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

StartedExam::StartedExam(const std::filesystem::path& journalFolder)
    : form(exam::TSinavForm::Controls::AtOnce, exam::TSinavForm::KeySources::Any, RecordsInTheCurrentFolder(),
           journalFolder.wstring()) {
    folder.Write("{\\rtf1 Bu sabah erken kalkt\\'fdm.\\par}");
    ShowWindow(form.Handle(), SW_SHOW);
    SendMessageW(form.Control(exam::SinavForm::Baslat).Handle(), BM_CLICK, 0, 0);
}

bool IsReadOnly(HWND edit) { return GetWindowLongW(edit, GWL_STYLE) & ES_READONLY; }

int FirstVisibleLine(HWND edit) { return static_cast<int>(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0)); }

std::vector<std::string> ListBoxItems(HWND listBox) {
    std::vector<std::string> items;
    for (int i = 0; i < platform::ListBoxCount(listBox); ++i) {
        std::wstring item(SendMessageW(listBox, LB_GETTEXTLEN, i, 0) + 1, L'\0');
        item.resize(SendMessageW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data())));
        items.push_back(platform::NarrowCp1254(item));
    }
    return items;
}

}  // namespace testing_pc1
