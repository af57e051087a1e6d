#include "result/Spooler.h"

#include <winspool.h>

namespace result {

namespace {

// The declarations give the types only: nothing here is imported.
template <class F>
F Function(HMODULE module, const char* name) {
    return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace

Spooler::Spooler() : module_(LoadLibraryW(L"winspool.drv")) {}

Spooler::~Spooler() {
    if (module_) FreeLibrary(module_);
}

std::optional<std::wstring> Spooler::DefaultPrinter() const {
    const auto getDefaultPrinter = Function<decltype(&GetDefaultPrinterW)>(module_, "GetDefaultPrinterW");
    if (!getDefaultPrinter) return std::nullopt;
    DWORD size = 0;
    getDefaultPrinter(nullptr, &size);
    if (size == 0) return std::nullopt;
    std::wstring name(size, L'\0');
    if (!getDefaultPrinter(name.data(), &size)) return std::nullopt;
    name.resize(wcsnlen(name.c_str(), name.size()));
    return name;
}

// Level 4 gives the names alone, from the registry, without asking each print server about its printer.
std::vector<std::wstring> Spooler::Printers() const {
    const auto enumPrinters = Function<decltype(&EnumPrintersW)>(module_, "EnumPrintersW");
    if (!enumPrinters) return {};
    constexpr DWORD kWhich = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    std::vector<BYTE> buffer;
    DWORD needed = 0, count = 0;
    // A printer added between the two calls asks for more room: the second call then fails, and is tried again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (enumPrinters(kWhich, nullptr, 4, buffer.data(), static_cast<DWORD>(buffer.size()), &needed, &count)) {
            std::vector<std::wstring> names;
            const auto* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
            for (DWORD i = 0; i < count; ++i)
                if (printers[i].pPrinterName) names.emplace_back(printers[i].pPrinterName);
            return names;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
        buffer.resize(needed);
    }
    return {};
}

std::vector<BYTE> Spooler::A4PortraitSettings(const std::wstring& printer) const {
    const auto openPrinter = Function<decltype(&OpenPrinterW)>(module_, "OpenPrinterW");
    const auto closePrinter = Function<decltype(&ClosePrinter)>(module_, "ClosePrinter");
    const auto documentProperties = Function<decltype(&DocumentPropertiesW)>(module_, "DocumentPropertiesW");
    if (!openPrinter || !closePrinter || !documentProperties) return {};
    std::wstring name = printer;
    HANDLE handle = nullptr;
    if (!openPrinter(name.data(), &handle, nullptr)) return {};
    std::vector<BYTE> settings;
    const LONG size = documentProperties(nullptr, handle, name.data(), nullptr, nullptr, 0);
    if (size >= static_cast<LONG>(sizeof(DEVMODEW))) {
        settings.resize(static_cast<std::size_t>(size));
        auto* devMode = reinterpret_cast<DEVMODEW*>(settings.data());
        if (documentProperties(nullptr, handle, name.data(), devMode, nullptr, DM_OUT_BUFFER) == IDOK) {
            devMode->dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
            devMode->dmPaperSize = DMPAPER_A4;
            devMode->dmOrientation = DMORIENT_PORTRAIT;
            // The driver checks the change against what the printer can do.
            if (documentProperties(nullptr, handle, name.data(), devMode, devMode, DM_IN_BUFFER | DM_OUT_BUFFER) !=
                IDOK) {
                settings.clear();
            }
        } else {
            settings.clear();
        }
    }
    closePrinter(handle);
    return settings;
}

}  // namespace result
