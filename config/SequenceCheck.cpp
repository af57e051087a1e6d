#include "config/SequenceCheck.h"

#include <algorithm>

#include "platform/KeyDerivation.h"

namespace config {

namespace {

constexpr std::size_t kSaltBytes = 16;

}  // namespace

// Every byte is compared, so that the time a check takes says nothing about how much of the key matched.
bool IsTheSequence(const SequenceHash& hash, std::string_view digits) {
    const platform::Sha256Key key = platform::DerivePbkdf2Sha256(digits, hash.salt, hash.iterations);
    std::uint8_t difference = 0;
    for (std::size_t i = 0; i < key.size(); ++i) difference |= key[i] ^ hash.key[i];
    return difference == 0;
}

SequenceHash HashSequence(std::string_view digits, std::uint32_t iterations) {
    SequenceHash hash{.iterations = iterations, .salt = platform::RandomBytes(kSaltBytes)};
    hash.key = platform::DerivePbkdf2Sha256(digits, hash.salt, iterations);
    return hash;
}

// A trial of a known number of iterations, the faster of two so that a cold start does not count, scaled up.
std::uint32_t IterationsForCheckTime() {
    constexpr std::uint32_t kTrialIterations = 20'000;
    const auto salt = platform::RandomBytes(kSaltBytes);
    auto fastest = std::chrono::steady_clock::duration::max();
    for (int trial = 0; trial < 2; ++trial) {
        const auto start = std::chrono::steady_clock::now();
        platform::DerivePbkdf2Sha256("012345", salt, kTrialIterations);
        fastest = std::min(fastest, std::chrono::steady_clock::now() - start);
    }
    const double perIteration = std::chrono::duration<double>(fastest).count() / kTrialIterations;
    const double iterations = std::chrono::duration<double>(kCheckTime).count() / std::max(perIteration, 1e-9);
    return static_cast<std::uint32_t>(
        std::clamp(iterations, double{config::kMinIterations}, double{config::kMaxIterations}));
}

}  // namespace config
