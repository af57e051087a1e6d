// The print spooler's functions, reached only while printing. winspool.drv is loaded by name on the printing
// thread, never imported: with its spooler stopped, the loading blocks for minutes (about 122 s under Wine 8),
// which a program that imported it would spend before its first window.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace result {

class Spooler {
public:
    Spooler();
    ~Spooler();
    Spooler(const Spooler&) = delete;
    Spooler& operator=(const Spooler&) = delete;

    // The Windows default printer; none when there is no spooler or no printer.
    std::optional<std::wstring> DefaultPrinter() const;
    // The printers installed on this computer and those connected from print servers, by name, as Windows lists
    // them; none without a spooler.
    std::vector<std::wstring> Printers() const;
    // The printer's own settings turned to A4 portrait, for CreateDCW; empty when the printer cannot be opened.
    std::vector<BYTE> A4PortraitSettings(const std::wstring& printer) const;

private:
    HMODULE module_;
};

}  // namespace result
