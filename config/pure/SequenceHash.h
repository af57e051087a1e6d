// The supervisor's key sequence as an installation keeps it: never the digits, only a slow, salted hash of them,
// with the iterations it was made with, so that a later setting can make it slower. No Windows header: the
// file's form is tested natively; the hash itself is Windows' own key derivation.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace config {

struct SequenceHash {
    std::uint32_t iterations = 0;
    std::vector<std::uint8_t> salt;
    std::array<std::uint8_t, 32> key{};  // PBKDF2-HMAC-SHA-256 of the six digits as ASCII text

    bool operator==(const SequenceHash&) const = default;
};

// The iterations a kept hash may have. The settings program never picks fewer than the least, so that a check costs an
// attacker as much as it costs the supervisor; a check at the most takes about 9 s on the computers measured (about
// 1.1 million iterations a second), and no more may hold the exam window, which checks on its own thread.
inline constexpr std::uint32_t kMinIterations = 100'000, kMaxIterations = 10'000'000;

// "pbkdf2-sha256:<iterations>:<salt>:<key>", salt and key in lower-case hexadecimal.
std::string FormatSequenceHash(const SequenceHash& hash);
// Upper-case hexadecimal is taken too; a salt of 8 to 64 bytes, at least one iteration. Whether the iterations are
// within kMinIterations and kMaxIterations is the settings' to judge, which name the fault.
std::optional<SequenceHash> ParseSequenceHash(std::string_view text);

// Six different decimal digits: the only form a sequence can take.
bool IsSequence(std::string_view digits);

// Why a sequence typed twice in the settings program cannot be taken (Windows-1254, Turkish), or nothing. Both left
// empty keep the sequence already set, if there is one.
std::optional<std::string> SequenceEntryFault(std::string_view first, std::string_view second, bool sequenceSet);

}  // namespace config
