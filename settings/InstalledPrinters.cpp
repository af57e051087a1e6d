#include "settings/InstalledPrinters.h"

#include "result/Spooler.h"

namespace settings {

InstalledPrinters::InstalledPrinters(HWND window, UINT message) : listing_(std::make_shared<Listing>(window, message)) {
    auto* given = new std::shared_ptr<Listing>(listing_);
    thread_ = platform::Unique<HANDLE, CloseHandle>(CreateThread(nullptr, 0, ListingThread, given, 0, nullptr));
    if (!thread_) {
        delete given;
        listing_->done = true;
        PostMessageW(window, message, 0, 0);
    }
}

// The thread holds its own share of the listing, which outlives the window when the spooler answers late.
DWORD WINAPI InstalledPrinters::ListingThread(void* parameter) {
    const std::unique_ptr<std::shared_ptr<Listing>> listing(static_cast<std::shared_ptr<Listing>*>(parameter));
    Listing& owned = **listing;
    try {
        owned.names = result::Spooler().Printers();
    } catch (const std::exception&) {
        owned.names.clear();  // out of memory on the way: the list offers the two fixed choices only
    }
    owned.done.store(true, std::memory_order_release);
    PostMessageW(owned.window, owned.message, 0, 0);
    return 0;
}

std::optional<std::vector<std::wstring>> InstalledPrinters::Take() {
    if (!listing_->done.load(std::memory_order_acquire)) return std::nullopt;
    return std::move(listing_->names);
}

bool InstalledPrinters::StillListing() const { return !listing_->done.load(std::memory_order_acquire); }

}  // namespace settings
