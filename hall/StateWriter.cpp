#include "hall/StateWriter.h"

#include <mutex>

#include "platform/ComputerName.h"
#include "platform/Cp1254.h"
#include "platform/Files.h"
#include "platform/Log.h"
#include "platform/ProgramVersion.h"
#include "platform/SystemReason.h"

namespace hall {

namespace {

constexpr char kHallFolderName[] = "Salon";
constexpr wchar_t kExtension[] = L".txt", kTemporaryExtension[] = L".tmp";

std::string Failure(const std::wstring& path, DWORD error) {
    return "Salon durum dosyas\xFD yaz\xFDlamad\xFD (" + platform::NarrowCp1254(path) +
           "): " + platform::SystemReason(error);
}

}  // namespace

struct StateWriter::File {
    File(std::wstring folderGiven, std::wstring_view fileName)
        : folder(std::move(folderGiven)),
          path(platform::InFolder(folder, fileName)),
          temporary(path.substr(0, path.size() - std::size(kExtension) + 1) + kTemporaryExtension) {}

    const std::wstring folder, path, temporary;
    std::mutex mutex;
    std::string problem;

    void Write(const PcState& state);
    DWORD Replace(const std::string& bytes) const;
};

std::wstring HallFolderIn(const std::wstring& recordsFolder) {
    return platform::InFolder(platform::FullPath(recordsFolder), kHallFolderName);
}

// The name is the computer's as Windows gives it, which no file name in the folder can take from another PC.
std::wstring StateFileName() {
    const std::wstring computer = platform::ComputerName();
    return (computer.empty() ? std::wstring(L"PC") : computer) + kExtension;
}

std::string_view ProgramVersion() { return platform::ProgramVersion(); }

// The thread writes only the newest state handed: the console wants the PC as it is, not its history.
StateWriter::StateWriter(std::wstring folder, std::wstring_view fileName)
    : file_(std::make_shared<File>(std::move(folder), fileName)),
      worker_([file = file_](std::vector<PcState>& states) { file->Write(states.back()); },
              {.newestOnly = true, .exitWaitMs = kExitWaitMs}) {}

StateWriter::~StateWriter() = default;

void StateWriter::Hand(PcState state) { worker_.Hand(std::move(state)); }

bool StateWriter::WaitWritten(DWORD timeoutMs) const { return worker_.WaitDone(timeoutMs); }

const std::wstring& StateWriter::Path() const { return file_->path; }

std::string StateWriter::Problem() const {
    const std::scoped_lock lock(file_->mutex);
    return file_->problem;
}

void StateWriter::File::Write(const PcState& state) {
    const DWORD error = Replace(EncodeState(state));
    std::string now = error ? Failure(path, error) : std::string();
    const std::scoped_lock lock(mutex);
    platform::LogFaultChange("state-file", problem, now, path);
    problem = std::move(now);
}

// A folder that is not there yet, or was taken away, is made once the write finds it missing: a share's round trips
// are spent only then.
DWORD StateWriter::File::Replace(const std::string& bytes) const {
    DWORD error = platform::ReplaceWholeFile(path, temporary, bytes);
    if (error == ERROR_PATH_NOT_FOUND) {
        error = platform::CreateFolder(folder);
        if (!error) error = platform::ReplaceWholeFile(path, temporary, bytes);
    }
    return error;
}

}  // namespace hall
