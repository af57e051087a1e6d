#include "salon/HallWatch.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <cwctype>
#include <mutex>

#include "hall/StateWriter.h"
#include "platform/Cp1254.h"
#include "platform/Files.h"
#include "platform/Log.h"
#include "platform/SystemReason.h"
#include "result/RecordKeeper.h"
#include "result/pure/LocalTimeText.h"
#include "text/Cp1254Unicode.h"

namespace salon {

namespace {

// Far beyond a day of a hall's records: a file larger than this is no records file.
constexpr ULONGLONG kMaxRecordsFileBytes = 64ull << 20;
constexpr std::int64_t kFileTimeTicksPerMs = 10'000;
constexpr std::int64_t kUnixEpochInFileTimeMs = 11'644'473'600'000;

std::chrono::sys_time<std::chrono::milliseconds> SystemTime(const FILETIME& time) {
    const auto ticks = static_cast<std::int64_t>((ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime);
    return std::chrono::sys_time<std::chrono::milliseconds>(
        std::chrono::milliseconds(ticks / kFileTimeTicksPerMs - kUnixEpochInFileTimeMs));
}

std::string NameOf(const std::wstring& path) {
    return platform::NarrowUtf8(std::wstring_view(path).substr(path.find_last_of(L"\\/") + 1));
}

std::string Unreadable(const std::wstring& path, DWORD error) {
    const std::string name = text::Utf8ToCp1254(NameOf(path)).text;
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return name +
               " okunamad\xFD: ba\xFEka bir program onu kendine ay\xFDrm\xFD\xFE (Excel'de a\xE7\xFDk olabilir).";
    return name + " okunamad\xFD: " + platform::SystemReason(error) + ".";
}

// A folder that cannot be listed leaves each PC as it was last read: its silence counts on.
void ReadStates(const std::wstring& folder, HallMemory& memory, HallReading& reading) {
    std::vector<platform::FoundFile> found;
    const std::wstring hallFolder = hall::HallFolderIn(folder);
    std::vector<hall::StateSnapshot> states;
    if (const DWORD error = platform::ListFiles(hallFolder, L"*.txt", found)) {
        reading.faults.push_back(Unreadable(hallFolder, error));
        states = memory.states;
    }
    for (const platform::FoundFile& file : found) {
        hall::StateSnapshot state{NameOf(file.path), {}, SystemTime(file.written)};
        const platform::WholeFile read = platform::ReadSharedFile(file.path, hall::kMaxStateFileBytes);
        state.tooLarge = read.size > hall::kMaxStateFileBytes;
        if (read.error) {
            // Renamed over at this instant, or held: the PC stands as it was last read.
            const auto last = std::ranges::find(memory.states, state.fileName, &hall::StateSnapshot::fileName);
            if (last == memory.states.end()) continue;
            state = *last;
        } else {
            state.bytes = read.bytes;
        }
        states.push_back(std::move(state));
    }
    memory.board.Refresh(states,
                         std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now()),
                         memory.witnessFolder.empty() ? nullptr : &memory.witness);
    reading.pcs = memory.board.Rows();
    memory.states = std::move(states);
}

void ReadResults(const std::wstring& folder, const std::string& day, HallMemory& memory, HallReading& reading) {
    std::vector<platform::FoundFile> found;
    if (const DWORD error = platform::ListFiles(folder, L"*.csv", found)) {
        reading.faults.push_back(Unreadable(folder, error));
        return;
    }
    std::vector<HallMemory::RecordsFile> kept;
    std::vector<hall::ResultLine> lines;
    for (const platform::FoundFile& file : found) {
        const std::string name = NameOf(file.path);
        const std::optional<std::string> fileDay = hall::RecordsFileDay(name);
        if (!fileDay) continue;
        if (std::ranges::find(reading.days, *fileDay) == reading.days.end()) reading.days.push_back(*fileDay);
        if (*fileDay != day) continue;
        const auto cached = std::ranges::find(memory.recordsFiles, file.path, &HallMemory::RecordsFile::path);
        HallMemory::RecordsFile entry;
        if (cached != memory.recordsFiles.end() && cached->size == file.size &&
            CompareFileTime(&cached->written, &file.written) == 0) {
            entry = std::move(*cached);
        } else {
            const platform::WholeFile read = platform::ReadSharedFile(file.path, kMaxRecordsFileBytes);
            if (read.error || read.size > kMaxRecordsFileBytes) {
                reading.faults.push_back(read.error ? Unreadable(file.path, read.error)
                                                    : text::Utf8ToCp1254(name).text +
                                                          " okunamad\xFD: bir g\xFCn\xFCn tutanaklar\xFD olamayacak "
                                                          "kadar b\xFCy\xFCk.");
                continue;
            }
            entry = {file.path, file.size, file.written, hall::ReadRecordsFile(name, read.bytes)};
        }
        lines.insert(lines.end(), entry.read.lines.begin(), entry.read.lines.end());
        reading.faults.insert(reading.faults.end(), entry.read.faults.begin(), entry.read.faults.end());
        kept.push_back(std::move(entry));
    }
    std::ranges::sort(reading.days);
    reading.results = hall::RankResults(std::move(lines));
    memory.recordsFiles = std::move(kept);
}

// A file a day and records folder: what the console saw of one folder's PCs is not held against another's records.
std::wstring WitnessFile(const std::wstring& witnessFolder, const std::wstring& recordsFolder, const std::string& day) {
    std::uint32_t hash = 2166136261u;  // FNV-1a of the folder as Windows compares names, without case
    for (const wchar_t c : recordsFolder) {
        hash = (hash ^ static_cast<std::uint32_t>(towupper(c))) * 16777619u;
    }
    wchar_t suffix[16];
    swprintf(suffix, std::size(suffix), L"_%08x.txt", hash);
    return platform::InFolder(witnessFolder, platform::WidenUtf8(day) + suffix);
}

// A witness's file that cannot be read gives an empty witness, and the status bar says so.
hall::HallWitness ReadWitness(const std::wstring& path, HallReading& reading) {
    const platform::WholeFile read = platform::ReadWholeFile(path, kMaxRecordsFileBytes);
    if (read.error == ERROR_FILE_NOT_FOUND || read.error == ERROR_PATH_NOT_FOUND) return {};
    std::optional<hall::HallWitness> witness = read.error ? std::nullopt : hall::HallWitness::Decode(read.bytes);
    if (!witness)
        reading.faults.push_back(read.error ? Unreadable(path, read.error)
                                            : text::Utf8ToCp1254(NameOf(path)).text +
                                                  " okunamad\xFD: konsolun tan\xFDk dosyas\xFD bozuk.");
    return witness.value_or(hall::HallWitness());
}

void KeepWitness(const HallMemory& memory, HallReading& reading) {
    DWORD error = platform::CreateFolder(memory.witnessFolder);
    if (!error)
        error = platform::ReplaceWholeFile(memory.witnessFile, memory.witnessFile + L".yeni", memory.witness.Encode());
    if (error)
        reading.faults.push_back(text::Utf8ToCp1254(NameOf(memory.witnessFile)).text +
                                 " yaz\xFDlamad\xFD: " + platform::SystemReason(error) + ".");
}

// The console's local time less UTC, to the minute.
std::chrono::minutes UtcOffset(std::chrono::system_clock::time_point now) {
    const result::LocalTime local = result::LocalTimeOf(now);
    const auto localAsUtc = std::chrono::sys_days(std::chrono::year(local.year) / static_cast<unsigned>(local.month) /
                                                  static_cast<unsigned>(local.day)) +
                            std::chrono::hours(local.hour) + std::chrono::minutes(local.minute) +
                            std::chrono::seconds(local.second);
    return std::chrono::round<std::chrono::minutes>(localAsUtc - std::chrono::floor<std::chrono::seconds>(now));
}

// The day's results judged by what the console saw that day.
void Judge(const std::wstring& folder, const std::string& day, const std::string& today, HallMemory& memory,
           HallReading& reading) {
    if (memory.witnessFolder.empty()) return;
    const std::wstring pastFile = WitnessFile(memory.witnessFolder, folder, day);
    if (day != today && memory.pastFile != pastFile) {
        memory.pastWitness = ReadWitness(pastFile, reading);
        memory.pastFile = pastFile;
    }
    hall::JudgeResults(reading.results, day == today ? memory.witness : memory.pastWitness,
                       UtcOffset(std::chrono::system_clock::now()), day < today);
}

}  // namespace

std::wstring WitnessFolder() { return platform::LocalAppDataFolder() + L"\\PC1\\Salon\\Tanik"; }

HallReading ReadHall(const std::wstring& folder, const std::string& day, HallMemory& memory) {
    const auto start = std::chrono::steady_clock::now();
    HallReading reading;
    reading.folder = folder;
    reading.day = day;
    const std::string today = result::IsoDate(result::LocalTimeOf(std::chrono::system_clock::now()));
    const std::wstring witnessFile =
        memory.witnessFolder.empty() ? std::wstring() : WitnessFile(memory.witnessFolder, folder, today);
    if (witnessFile != memory.witnessFile) {
        memory.witness = ReadWitness(witnessFile, reading);
        memory.witnessFile = witnessFile;
    }
    ReadStates(folder, memory, reading);
    if (!memory.witnessFolder.empty()) KeepWitness(memory, reading);
    ReadResults(folder, day, memory, reading);
    Judge(folder, day, today, memory, reading);
    reading.took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    return reading;
}

// The memory and the target are the thread's own; the newest reading waits under the lock for the window to take it.
struct HallWatch::Shared {
    HWND window;
    UINT message;
    std::wstring witnessFolder;
    HallMemory memory;
    Target target;                    // to read from now on
    std::wstring memoryFolder;        // what `memory` is of
    std::vector<std::string> faults;  // the last reading's
    std::mutex mutex;
    bool closed = false;
    std::unique_ptr<HallReading> newest;

    bool Closed() {
        const std::scoped_lock lock(mutex);
        return closed;
    }

    // Run with the newest target handed since the last reading, or none once a second.
    void Read(std::vector<Target>& targets) {
        if (!targets.empty()) target = std::move(targets.back());
        if ((target.folder.empty() && target.day.empty()) || Closed()) return;
        if (target.folder != memoryFolder) {
            memory = {};
            memory.witnessFolder = witnessFolder;
            memoryFolder = target.folder;
        }
        auto reading = std::make_unique<HallReading>(ReadHall(target.folder, target.day, memory));
        // A fault that stays from one reading to the next is logged once.
        for (const std::string& fault : reading->faults)
            if (std::ranges::find(faults, fault) == faults.end()) platform::Log("hall-read-fault", fault);
        faults = reading->faults;
        {
            const std::scoped_lock lock(mutex);
            if (closed) return;
            newest = std::move(reading);
        }
        PostMessageW(window, message, 0, 0);
    }
};

HallWatch::HallWatch(HWND window, UINT message, std::wstring witnessFolder)
    : shared_(std::make_shared<Shared>(window, message, std::move(witnessFolder))),
      worker_([shared = shared_](std::vector<Target>& targets) { shared->Read(targets); },
              {.newestOnly = true, .periodMs = static_cast<DWORD>(kInterval.count()), .exitWaitMs = 0}) {}

HallWatch::~HallWatch() {
    const std::scoped_lock lock(shared_->mutex);
    shared_->closed = true;
}

void HallWatch::Watch(std::wstring folder, std::string day) { worker_.Hand({std::move(folder), std::move(day)}); }

std::unique_ptr<HallReading> HallWatch::Take() {
    const std::scoped_lock lock(shared_->mutex);
    return std::move(shared_->newest);
}

}  // namespace salon
