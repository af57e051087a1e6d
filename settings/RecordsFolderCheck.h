// Whether PC1 can keep its records in a folder, asked the way the record archive uses it: the folder made when
// missing, a file created under a temporary name, written, renamed and deleted.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "platform/Worker.h"

namespace settings {

// `folder` as the settings file holds it, UTF-8; empty is the default folder. Nothing when PC1 can keep records
// there, else why not, in Turkish (Windows-1254) with the system's reason. Makes the folder when it is missing, as
// the first record would.
std::optional<std::string> RecordsFolderFault(const std::string& folder);

// The folder's check on a thread of its own: a share whose server does not answer holds it until Windows gives up,
// during which the window must still answer. Only the latest check counts; an older one's answer is dropped.
class RecordsFolderCheck {
public:
    // `message` is posted to `window` whenever a check ends; its handler reads Latest.
    RecordsFolderCheck(HWND window, UINT message);
    RecordsFolderCheck(const RecordsFolderCheck&) = delete;
    RecordsFolderCheck& operator=(const RecordsFolderCheck&) = delete;

    // Checks `folder` (UTF-8, as RecordsFolderFault takes it); from now on this is the latest check.
    void Start(const std::string& folder);
    // The folder shown is no longer the one checked: there is no latest check until the next Start.
    void Forget() { latest_.reset(); }

    enum class State { NotStarted, Running, Done };
    State LatestState() const;
    // The latest check's fault, once it is done.
    std::optional<std::string> LatestFault() const;

private:
    struct Check {
        std::optional<std::string> fault;  // the thread's until `done`
        std::atomic<bool> done{false};
    };

    HWND window_;
    UINT message_;
    std::shared_ptr<Check> latest_;
    // The latest check's thread. A check has one of its own, never waited for: one that a share holds up holds up no
    // later check, and finishes on its own with its own share of its check.
    std::optional<platform::Worker<std::string>> checking_;
};

}  // namespace settings
