// The computer's name, as the program names it in the files it writes for others.
#pragma once

#include <string>

namespace platform {

// As Windows gives it (NetBIOS: at most 15 characters, upper case); empty when Windows cannot tell.
std::wstring ComputerName();

}  // namespace platform
