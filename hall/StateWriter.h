// Writes this PC's state file for the hall's console on a thread of its own, so that a records folder on a share
// that does not answer never holds up a key or the exam clock.
//
// Hand() keeps only the newest state and returns at once; the thread writes it under a temporary name in the same
// folder and renames it over the last one in one step (MoveFileExW), so that the console reads either the old file or
// the new one, never half of one. A state handed while an earlier one is being written replaces any not yet written:
// the console wants the PC as it is, not its history.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "hall/pure/PcStateFile.h"
#include "platform/Worker.h"

namespace hall {

// The folder of the PCs' state files in a records folder: <records>\Salon.
std::wstring HallFolderIn(const std::wstring& recordsFolder);
// This PC's file there: <computer name>.txt.
std::wstring StateFileName();
// The program's version, as the build gives it.
std::string_view ProgramVersion();

class StateWriter {
public:
    // The folder is made when the first state is written, and again whenever it has gone. The file is this PC's
    // unless another is named, as the hall's simulator names those of the PCs it plays.
    explicit StateWriter(std::wstring folder, std::wstring_view fileName = StateFileName());
    // Writes a state still waiting, for at most kExitWaitMs; a write held up by a share longer than that is left to
    // its thread, which ends with it.
    ~StateWriter();
    StateWriter(const StateWriter&) = delete;
    StateWriter& operator=(const StateWriter&) = delete;

    static constexpr DWORD kExitWaitMs = 500;

    // Never waits for the disk and never throws for it.
    void Hand(PcState state);
    // Returns once every state handed so far is written, or failed to be, or after `timeoutMs`: true in the first
    // case. For the tests and the program's end, never the window's keys.
    bool WaitWritten(DWORD timeoutMs) const;

    const std::wstring& Path() const;
    // Turkish text (Windows-1254) of the last write's failure; empty while all is well.
    std::string Problem() const;

private:
    struct File;
    std::shared_ptr<File> file_;  // shared with the thread, which may outlive the writer
    platform::Worker<PcState> worker_;
};

}  // namespace hall
