#include "settings/SampleRecord.h"

#include <windows.h>

#include "platform/ComputerName.h"
#include "platform/Cp1254.h"

namespace settings {

namespace {

result::LocalTime Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace

// A candidate no exam has, so that nobody files the page as a record; without an exam id, nothing of it is kept.
result::ExamRecord SampleRecord(const config::ExamBoard& board) {
    const std::wstring name = platform::ComputerName();
    const std::string computer = name.empty() ? std::string("PC") : platform::NarrowCp1254(name);
    const result::LocalTime now = Now();
    return {
        .computer = computer,
        .computerName = computer,
        .clockStarted = now,
        .clockEnded = now,
        .firstName = "\xD6RNEK",
        .surname = "TUTANAK",
        .candidateNumber = "0",
        .typedText =
            "Bu sayfa PC1 Ayarlar\xFD'n\xFDn \xF6rnek tutana\xF0\xFD: yaz\xFD"
            "c\xFDn\xFDn s\xFDnav tutana\xF0\xFDn\xFD bast\xFD\xF0\xFDn\xFD g\xF6sterir. "
            "\xC7\xDD\xD0\xDE\xD6\xDC \xE7\xFD\xF0\xFE\xF6\xFC",
        .wrongWords = {},
        .typed = 18,
        .correct = 18,
        .board = board,
    };
}

}  // namespace settings
