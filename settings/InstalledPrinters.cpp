#include "settings/InstalledPrinters.h"

#include "platform/Cp1254.h"
#include "platform/Files.h"
#include "result/Spooler.h"

namespace settings {

namespace {

// This program, started again with the listing option and its standard output on `output`.
platform::Unique<HANDLE, CloseHandle> StartListingProcess(HANDLE output) {
    const std::wstring program = platform::ProgramPath();
    std::wstring commandLine = L"\"" + program + L"\" " + InstalledPrinters::kListingOption;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process))
        return platform::Unique<HANDLE, CloseHandle>();
    CloseHandle(process.hThread);
    return platform::Unique<HANDLE, CloseHandle>(process.hProcess);
}

}  // namespace

int InstalledPrinters::WriteList() {
    std::string lines;
    for (const std::wstring& name : result::Spooler().Printers()) lines += platform::NarrowUtf8(name) + '\n';
    DWORD written = 0;
    const bool whole =
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr) &&
        written == lines.size();
    return whole ? 0 : 1;
}

InstalledPrinters::InstalledPrinters(HWND window, UINT message) : listing_(std::make_shared<Listing>(window, message)) {
    HANDLE read = nullptr, write = nullptr;
    SECURITY_ATTRIBUTES inherited{sizeof(inherited), nullptr, TRUE};
    Pipe output;
    if (CreatePipe(&read, &write, &inherited, 0)) {
        output.Reset(read);
        SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
        // Only the listing process keeps the pipe's end to write, so that its end ends the reading.
        const platform::Unique<HANDLE, CloseHandle> written(write);
        process_ = StartListingProcess(write);
    }
    if (!process_) {
        listing_->done = true;
        PostMessageW(window, message, 0, 0);
        return;
    }
    reading_.emplace([listing = listing_](std::vector<Pipe>& outputs) { listing->Read(outputs.back()); },
                     platform::WorkerRules{.exitWaitMs = 0});
    reading_->Hand(std::move(output));
}

InstalledPrinters::~InstalledPrinters() {
    if (process_ && !listing_->done.load(std::memory_order_acquire)) TerminateProcess(process_.get(), 1);
}

void InstalledPrinters::Listing::Read(const Pipe& output) {
    try {
        std::string lines;
        char buffer[4096];
        for (DWORD got = 0; ReadFile(output.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0;)
            lines.append(buffer, got);
        for (std::size_t start = 0, end; (end = lines.find('\n', start)) != std::string::npos; start = end + 1)
            if (end > start) names.push_back(platform::WidenUtf8(lines.substr(start, end - start)));
    } catch (const std::exception&) {
        names.clear();  // out of memory on the way: the list offers the two fixed choices only
    }
    done.store(true, std::memory_order_release);
    PostMessageW(window, message, 0, 0);
}

std::optional<std::vector<std::wstring>> InstalledPrinters::Take() {
    if (!listing_->done.load(std::memory_order_acquire)) return std::nullopt;
    return std::move(listing_->names);
}

}  // namespace settings
