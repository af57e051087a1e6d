// The supervisor's sequence checked against, and hashed into, the form the installation keeps: Windows' own
// PBKDF2 with HMAC-SHA-256 over a random salt.
#pragma once

#include <chrono>
#include <cstdint>
#include <string_view>

#include "config/pure/SequenceHash.h"

namespace config {

// A check should cost a supervisor about this much, and an attacker holding the settings file as much per guess.
inline constexpr std::chrono::milliseconds kCheckTime{250};

// Whether six digits are the sequence that `hash` was made from.
bool IsTheSequence(const SequenceHash& hash, std::string_view digits);

// A new hash of the sequence, over a fresh random salt.
SequenceHash HashSequence(std::string_view digits, std::uint32_t iterations);

// The iterations that make one check on this computer take about kCheckTime, within kMinIterations and
// kMaxIterations, which PC1 accepts.
std::uint32_t IterationsForCheckTime();

}  // namespace config
