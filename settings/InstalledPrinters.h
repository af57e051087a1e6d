// The printers Windows knows, listed by this program started again for it (with kListingOption), whose output a
// thread of the window's own reads. With the spooler stopped, loading its library blocks for minutes (about 122 s
// under Wine 8), during which the settings window must still answer and close: under Wine the loading holds the
// loader's lock, which the window's thread soon needs too, so a thread of the window's own process would not do.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Unique.h"
#include "platform/Worker.h"

namespace settings {

class InstalledPrinters {
public:
    // The listing process's option.
    static constexpr wchar_t kListingOption[] = L"/YAZICILAR";
    // The listing process's part: the names on standard output, one a line in UTF-8. Returns its exit code.
    static int WriteList();

    // Starts the listing; `message` is posted to `window` when it is done, and its handler calls Take.
    InstalledPrinters(HWND window, UINT message);
    // Ends a listing process still waiting for the spooler.
    ~InstalledPrinters();
    InstalledPrinters(const InstalledPrinters&) = delete;
    InstalledPrinters& operator=(const InstalledPrinters&) = delete;

    // The names once the listing is done; none before, or when no process or thread could be started.
    std::optional<std::vector<std::wstring>> Take();

private:
    using Pipe = platform::Unique<HANDLE, CloseHandle>;
    struct Listing {
        HWND window;
        UINT message;
        std::vector<std::wstring> names;  // the thread's until `done`
        std::atomic<bool> done{false};

        void Read(const Pipe& output);
    };

    std::shared_ptr<Listing> listing_;
    platform::Unique<HANDLE, CloseHandle> process_;
    // Reads the listing process's standard output. Never waited for: the process's end, however it comes, ends the
    // reading, and the thread holds its own share of the listing.
    std::optional<platform::Worker<Pipe>> reading_;
};

}  // namespace settings
