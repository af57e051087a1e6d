// The printers Windows knows, listed on a thread of its own: with the spooler stopped, loading its library blocks
// for minutes (about 122 s under Wine 8), during which the settings window must still answer and close.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Unique.h"

namespace settings {

class InstalledPrinters {
public:
    // Starts the listing; `message` is posted to `window` when it is done, and its handler calls Take.
    InstalledPrinters(HWND window, UINT message);
    InstalledPrinters(const InstalledPrinters&) = delete;
    InstalledPrinters& operator=(const InstalledPrinters&) = delete;

    // The names once the listing is done; none before, or when no thread could be started.
    std::optional<std::vector<std::wstring>> Take();
    // The listing still waits for the spooler: the process must then end without waiting for the thread, which
    // may hold the loader's lock that a normal end needs.
    bool StillListing() const;

private:
    struct Listing {
        HWND window;
        UINT message;
        std::vector<std::wstring> names;  // the thread's until `done`
        std::atomic<bool> done{false};
    };
    static DWORD WINAPI ListingThread(void* parameter);

    std::shared_ptr<Listing> listing_;
    platform::Unique<HANDLE, CloseHandle> thread_;
};

}  // namespace settings
