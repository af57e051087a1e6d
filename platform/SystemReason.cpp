#include "platform/SystemReason.h"

#include <stdexcept>

#include "platform/Cp1254.h"

namespace platform {

std::string SystemReason(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring reason(buffer, length);
    LocalFree(buffer);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
        reason.pop_back();
    if (!reason.empty() && reason.back() == L'.') reason.pop_back();
    return NarrowCp1254(reason);
}

void ThrowLastError(const std::string& what) {
    const DWORD error = GetLastError();
    throw std::runtime_error(what + ": " + SystemReason(error));
}

}  // namespace platform
