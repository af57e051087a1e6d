#include "config/pure/SequenceHash.h"

#include <algorithm>
#include <charconv>
#include <span>

#include "platform/pure/Hex.h"

namespace config {

namespace {

constexpr std::string_view kScheme = "pbkdf2-sha256";
constexpr std::size_t kMinSaltBytes = 8, kMaxSaltBytes = 64;

using platform::Hex;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::vector<std::uint8_t>> Bytes(std::string_view hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexValue(hex[i]), low = HexValue(hex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return bytes;
}

// The text up to the next ':' (or the end), taken off the front.
std::string_view NextField(std::string_view& text) {
    const std::size_t colon = text.find(':');
    const std::string_view field = text.substr(0, colon);
    text = colon == std::string_view::npos ? std::string_view() : text.substr(colon + 1);
    return field;
}

}  // namespace

std::string FormatSequenceHash(const SequenceHash& hash) {
    return std::string(kScheme) + ':' + std::to_string(hash.iterations) + ':' + Hex(hash.salt) + ':' + Hex(hash.key);
}

std::optional<SequenceHash> ParseSequenceHash(std::string_view text) {
    std::string_view rest = text;
    const std::string_view scheme = NextField(rest), iterations = NextField(rest), salt = NextField(rest);
    const std::string_view key = rest;
    if (scheme != kScheme || key.find(':') != std::string_view::npos) return std::nullopt;

    SequenceHash hash;
    const auto [end, error] =
        std::from_chars(iterations.data(), iterations.data() + iterations.size(), hash.iterations);
    if (error != std::errc() || end != iterations.data() + iterations.size() || hash.iterations == 0)
        return std::nullopt;
    std::optional<std::vector<std::uint8_t>> saltBytes = Bytes(salt), keyBytes = Bytes(key);
    if (!saltBytes || saltBytes->size() < kMinSaltBytes || saltBytes->size() > kMaxSaltBytes) return std::nullopt;
    if (!keyBytes || keyBytes->size() != hash.key.size()) return std::nullopt;
    hash.salt = std::move(*saltBytes);
    std::ranges::copy(*keyBytes, hash.key.begin());
    return hash;
}

bool IsSequence(std::string_view digits) {
    if (digits.size() != 6 || !std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; })) return false;
    std::string sorted(digits);
    std::ranges::sort(sorted);
    return std::ranges::adjacent_find(sorted) == sorted.end();
}

std::optional<std::string> SequenceEntryFault(std::string_view first, std::string_view second, bool sequenceSet) {
    if (first.empty() && second.empty()) {
        if (sequenceSet) return std::nullopt;
        return "Denetim s\xFDras\xFD hen\xFCz belirlenmedi: alt\xFD farkl\xFD rakam\xFD iki kez yaz\xFDn.";
    }
    if (!IsSequence(first)) return "Denetim s\xFDras\xFD alt\xFD farkl\xFD rakamdan olu\xFEmal\xFD.";
    if (first != second) return "\xDDki kez yaz\xFDlan denetim s\xFDras\xFD ayn\xFD de\xF0il.";
    return std::nullopt;
}

}  // namespace config
