// The system's own words for a Windows error, for messages the supervisor reads.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

// Windows-1254, without the final full stop and line break.
std::string SystemReason(DWORD error);

}  // namespace platform
