// Windows' own hashing, key derivation and random numbers (CNG, bcrypt.dll): nothing of the kind is written here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

using Sha256Key = std::array<std::uint8_t, 32>;

// SHA-256 of the bytes, and the same in lower-case hexadecimal. Throw std::runtime_error when CNG refuses.
Sha256Key Sha256(std::string_view bytes);
std::string Sha256Hex(std::string_view bytes);

// PBKDF2 with HMAC-SHA-256, one block of output. Throws std::runtime_error when CNG refuses.
Sha256Key DerivePbkdf2Sha256(std::string_view password, std::span<const std::uint8_t> salt, std::uint32_t iterations);

// Bytes from the system's preferred random number generator.
std::vector<std::uint8_t> RandomBytes(std::size_t count);

}  // namespace platform
