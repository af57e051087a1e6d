// The programs' version, as the build gives it.
#pragma once

#include <string_view>

namespace platform {

std::string_view ProgramVersion();

}  // namespace platform
