// The hall's console over a records folder made here: its hall list reads every PC's state, its results list ranks
// the day's records and sorts by any column. A file held as Excel holds it is the end-to-end hall's to show: under
// Wine a process reads past its own locks.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "hall/pure/PcStateFile.h"
#include "platform/Cp1254.h"
#include "platform/Files.h"
#include "result/pure/LocalTimeText.h"
#include "result/pure/RecordsFile.h"
#include "salon/SalonWindow.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using hall::Phase;

std::string Today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return result::IsoDate({now.wYear, now.wMonth, now.wDay});
}

void WriteFile(const fs::path& path, std::string_view bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

hall::PcState Pc(const char* computer, Phase phase, const char* candidate) {
    hall::PcState state;
    state.label = std::string("PC1 - (") + computer + ")";
    state.computer = computer;
    state.version = "0.1.0";
    state.phase = phase;
    state.candidateNumber = candidate;
    state.msLeft = 125'000;
    state.wordsTyped = 7;
    state.written = std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now());
    return state;
}

result::ExamRecord Exam(const char* computer, const char* number, const char* surname, int correct, int wrong) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    result::ExamRecord record;
    record.computer = record.computerName = computer;
    record.clockStarted = record.clockEnded = {now.wYear, now.wMonth, now.wDay, 10, correct % 60, 0};
    record.firstName =
        "Ay\xFE"
        "e";
    record.surname = surname;
    record.candidateNumber = number;
    record.typed = correct + wrong;
    record.correct = correct;
    record.wrong = wrong;
    record.examId = std::string(computer) + "-" + number;
    return record;
}

class SalonWindow : public testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("pc1-salon-" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(folder);
        fs::create_directories(folder / "Salon");
    }
    void TearDown() override { fs::remove_all(folder); }

    void WriteState(const hall::PcState& state, std::chrono::seconds age = 0s) {
        const fs::path path = folder / "Salon" / (state.computer + ".txt");
        WriteFile(path, hall::EncodeState(state));
        fs::last_write_time(path, fs::file_time_type::clock::now() - age);
    }
    void WriteRecords(const char* computer, std::initializer_list<result::ExamRecord> exams) {
        std::string file;
        for (const result::ExamRecord& exam : exams) file += result::RecordsFileAddition(file, exam, "");
        WriteFile(folder / (Today() + "_" + computer + ".csv"), file);
    }

    // The console's rows once its reading shows `rows` of them in the list, each cell joined by '|'.
    std::vector<std::string> Rows(salon::TSalonForm& form, platform::AnyControlId<salon::TSalonForm> list,
                                  std::size_t rows) {
        const HWND handle = form.Control(list).Handle();
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (ListView_GetItemCount(handle) != static_cast<int>(rows) && std::chrono::steady_clock::now() < deadline) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
            std::this_thread::sleep_for(10ms);
        }
        const int columns = Header_GetItemCount(ListView_GetHeader(handle));
        std::vector<std::string> texts;
        for (int row = 0; row < ListView_GetItemCount(handle); ++row) {
            std::string line;
            for (int column = 0; column < columns; ++column) {
                wchar_t cell[256] = L"";
                ListView_GetItemText(handle, row, column, cell, 256);
                if (column) line += '|';
                line += platform::NarrowCp1254(cell);
            }
            texts.push_back(line);
        }
        return texts;
    }

    fs::path folder;
};

std::string Cell(const std::string& row, int column) {
    std::size_t start = 0;
    for (int i = 0; i < column; ++i) start = row.find('|', start) + 1;
    return row.substr(start, row.find('|', start) - start);
}

TEST_F(SalonWindow, ShowsEveryPcAndTheSilentOnesInAlarm) {
    WriteState(Pc("PC10", Phase::Running, "10"));
    WriteState(Pc("PC2", Phase::Waiting, ""), 600s);
    WriteState(Pc("PC3", Phase::Running, "3"), 30s);  // its PC stopped writing half a minute ago
    WriteState(Pc("PC4", Phase::Unfinished, "4"));
    WriteFile(folder / "Salon" / "PC5.txt", "pc1-hall-state=9\n");

    salon::TSalonForm form(folder.wstring(), {});
    const std::vector<std::string> rows = Rows(form, salon::SalonForm::Salon, 5);
    ASSERT_EQ(rows.size(), 5u);
    struct Expected {
        const char* pc;
        const char* phase;
    };
    const Expected expected[] = {{"PC1 - (PC2)", "Aday bekleniyor"},
                                 {"PC1 - (PC3)", "Yan\xFDt vermiyor"},
                                 {"PC1 - (PC4)", "Yar\xFDm kalan"},
                                 {"PC1 - (PC10)", "S\xFDnavda"},
                                 {"PC5.txt", "Okunam\xFDyor"}};
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(Cell(rows[i], 0), expected[i].pc) << rows[i];
        EXPECT_TRUE(Cell(rows[i], 1).starts_with(expected[i].phase)) << rows[i];
    }
    EXPECT_EQ(Cell(rows[3], 3), "2:05");
}

TEST_F(SalonWindow, RanksTheDayAndSortsByAnyColumn) {
    WriteRecords("PC1", {Exam("PC1", "11", "Ural", 30, 2), Exam("PC1", "12",
                                                                "\xDE"
                                                                "en",
                                                                40, 1)});
    WriteRecords("PC2", {Exam("PC2", "11", "Cengiz", 30, 2), Exam("PC2", "13",
                                                                  "\xC7"
                                                                  "elik",
                                                                  50, 0)});
    WriteRecords("PC3", {Exam("PC3", "14", "Ak", 60, 0)});
    salon::TSalonForm form(folder.wstring(), {});
    std::vector<std::string> rows = Rows(form, salon::SalonForm::Sonuclar, 5);
    ASSERT_EQ(rows.size(), 5u);
    const char* ranked[][3] = {
        {"1", "14", ""}, {"2", "13", ""}, {"3", "12", ""}, {"4", "11", "Bu aday no"}, {"4", "11", "Bu aday no"}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(Cell(rows[i], 0), ranked[i][0]) << rows[i];
        EXPECT_EQ(Cell(rows[i], 1), ranked[i][1]) << rows[i];
        EXPECT_TRUE(Cell(rows[i], 12).starts_with(ranked[i][2])) << rows[i];
    }
    // The surname's header clicked: Turkish order, Ç after C and Ş after S.
    const HWND list = form.Control(salon::SalonForm::Sonuclar).Handle();
    NMLISTVIEW click{};
    click.hdr = {list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), LVN_COLUMNCLICK};
    click.iSubItem = static_cast<int>(hall::ResultColumn::Surname);
    SendMessageW(GetParent(list), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    rows = Rows(form, salon::SalonForm::Sonuclar, 5);
    std::string surnames;
    for (const std::string& row : rows) surnames += Cell(row, 3) + " ";
    EXPECT_EQ(surnames,
              "Ak Cengiz \xC7"
              "elik \xDE"
              "en Ural ");
}

}  // namespace
