// The system's own words for a Windows error, for messages the supervisor reads.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

// Windows-1254, without the final full stop and line break.
std::string SystemReason(DWORD error);

// Throws what failed, with the system's reason for the thread's last error.
[[noreturn]] void ThrowLastError(const std::string& what);

}  // namespace platform
