// Reads the hall from the records folder on a thread of its own, once a second: every PC's state file and every
// records file of the chosen day. A share that does not answer never holds up the console's window, and no file is
// held longer than its reading: each is opened so that its PC may go on writing, renaming and deleting it.
#pragma once

#include <windows.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "hall/pure/DayResults.h"
#include "hall/pure/HallBoard.h"
#include "hall/pure/HallWitness.h"
#include "platform/Worker.h"

namespace salon {

// One reading of the folder, as the window shows it.
struct HallReading {
    std::wstring folder;
    std::string day;  // "2026-12-07": the day the results are of
    std::vector<hall::HallRow> pcs;
    std::vector<hall::RankedResult> results;
    std::vector<std::string> days;    // the days that have records files, in order
    std::vector<std::string> faults;  // Windows-1254: what could not be read, and why, each naming its file
    std::chrono::milliseconds took{};
};

class HallWatch {
public:
    static constexpr std::chrono::milliseconds kInterval{1000};

    // `message` is posted to `window` after every reading; its handler calls Take. What the console sees is kept in
    // `witnessFolder` (WitnessFolder()), a file a day.
    HallWatch(HWND window, UINT message, std::wstring witnessFolder);
    // Ends the thread; a reading held up by a share is left to finish on its own, and is not shown.
    ~HallWatch();
    HallWatch(const HallWatch&) = delete;
    HallWatch& operator=(const HallWatch&) = delete;

    // What to read from now on; read at once.
    void Watch(std::wstring folder, std::string day);
    // The newest reading not yet taken, or none.
    std::unique_ptr<HallReading> Take();

private:
    struct Target {
        std::wstring folder;
        std::string day;
    };
    struct Shared;
    std::shared_ptr<Shared> shared_;  // shared with the thread, which may outlive the watch
    platform::Worker<Target> worker_;
};

// Where the console keeps what it saw: %LOCALAPPDATA%\PC1\Salon\Tanik, on its own PC.
std::wstring WitnessFolder();

// What a reading remembers of the ones before it: when each PC's file last changed, the PCs' last readable states
// (a file renamed over at the instant of reading keeps its PC on the board), the records files that have not
// changed since, and what the console saw of each exam of the records folder today, which it keeps in a file of the
// day and folder in `witnessFolder` (none without one) and reads back when it starts again.
struct HallMemory {
    std::wstring witnessFolder;
    std::wstring witnessFile;  // the file of the day and folder that `witness` is of
    hall::HallWitness witness;
    std::wstring pastFile;  // another day's witness, read for that day's results
    hall::HallWitness pastWitness;
    struct RecordsFile {
        std::wstring path;
        ULONGLONG size = 0;
        FILETIME written{};
        hall::DayRead read;
    };
    hall::HallBoard board;
    std::vector<hall::StateSnapshot> states;
    std::vector<RecordsFile> recordsFiles;
};

// Reads the folder once, as the thread does every second; the benchmark's too.
HallReading ReadHall(const std::wstring& folder, const std::string& day, HallMemory& memory);

}  // namespace salon
