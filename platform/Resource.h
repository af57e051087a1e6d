// Data compiled into the executable by resources/PC1.rc, found by name.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>

namespace platform {

// The bytes stay valid as long as the program runs; throws std::runtime_error when there is no such resource.
std::span<const std::byte> ResourceBytes(const wchar_t* name, const wchar_t* type);

}  // namespace platform
