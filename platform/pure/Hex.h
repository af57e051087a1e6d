// Bytes as lower-case hexadecimal, the form in which hashes are written down.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace platform {

std::string Hex(std::span<const std::uint8_t> bytes);

}  // namespace platform
