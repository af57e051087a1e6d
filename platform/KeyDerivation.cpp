#include "platform/KeyDerivation.h"

#include <windows.h>

#include <bcrypt.h>

#include <stdexcept>

#include "platform/Unique.h"
#include "platform/pure/Hex.h"

namespace platform {

namespace {

void CloseAlgorithm(BCRYPT_ALG_HANDLE algorithm) { BCryptCloseAlgorithmProvider(algorithm, 0); }
using UniqueAlgorithm = Unique<BCRYPT_ALG_HANDLE, CloseAlgorithm>;

void Require(NTSTATUS status, const char* what) {
    if (!BCRYPT_SUCCESS(status)) throw std::runtime_error(what);
}

}  // namespace

Sha256Key Sha256(std::string_view bytes) {
    BCRYPT_ALG_HANDLE opened = nullptr;
    Require(BCryptOpenAlgorithmProvider(&opened, BCRYPT_SHA256_ALGORITHM, nullptr, 0), "SHA-256 is not available");
    const UniqueAlgorithm sha256(opened);
    Sha256Key hash{};
    // CNG takes the bytes as a writable buffer but does not change them.
    Require(BCryptHash(sha256.get(), nullptr, 0, reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data())),
                       static_cast<ULONG>(bytes.size()), hash.data(), static_cast<ULONG>(hash.size())),
            "the hash failed");
    return hash;
}

std::string Sha256Hex(std::string_view bytes) { return Hex(Sha256(bytes)); }

Sha256Key DerivePbkdf2Sha256(std::string_view password, std::span<const std::uint8_t> salt, std::uint32_t iterations) {
    BCRYPT_ALG_HANDLE opened = nullptr;
    Require(BCryptOpenAlgorithmProvider(&opened, BCRYPT_SHA256_ALGORITHM, nullptr, BCRYPT_ALG_HANDLE_HMAC_FLAG),
            "SHA-256 is not available");
    const UniqueAlgorithm hmac(opened);
    Sha256Key key{};
    // CNG takes the password and salt as writable buffers but does not change them.
    Require(BCryptDeriveKeyPBKDF2(hmac.get(), reinterpret_cast<PUCHAR>(const_cast<char*>(password.data())),
                                  static_cast<ULONG>(password.size()), const_cast<PUCHAR>(salt.data()),
                                  static_cast<ULONG>(salt.size()), iterations, key.data(),
                                  static_cast<ULONG>(key.size()), 0),
            "the key derivation failed");
    return key;
}

std::vector<std::uint8_t> RandomBytes(std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    Require(BCryptGenRandom(nullptr, bytes.data(), static_cast<ULONG>(bytes.size()), BCRYPT_USE_SYSTEM_PREFERRED_RNG),
            "no random numbers");
    return bytes;
}

}  // namespace platform
