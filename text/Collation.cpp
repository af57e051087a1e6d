#include "text/Collation.h"

#include <array>
#include <cstdint>

#include "text/CaseFolding.h"
#include "text/Cp1254Unicode.h"
#include "text/Utf8.h"

namespace text {

namespace {

// A capital's place in the alphabet, after every byte below 'A' (blanks, digits, punctuation); the other bytes follow
// the alphabet in their code page's order, and a run of digits weighs as '0'.
constexpr std::uint32_t kAfterAlphabet = 0x100, kOutsideCodePage = 0x10000;
constexpr std::array<std::uint32_t, 256> kByteWeights = [] {
    std::array<std::uint32_t, 256> weights{};
    for (std::uint32_t byte = 0; byte < 256; ++byte) weights[byte] = byte < 'A' ? byte : kAfterAlphabet + byte;
    for (std::size_t i = 0; i < kTurkishUpper.size(); ++i)
        weights[static_cast<unsigned char>(kTurkishUpper[i])] = 'A' + static_cast<std::uint32_t>(i);
    return weights;
}();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::uint32_t NextWeight(std::string_view utf8, std::size_t& position) {
    const char32_t codePoint = NextUtf8(utf8, position).value_or(U'\uFFFD');
    const std::optional<char> byte = UnicodeToCp1254(codePoint);
    if (!byte) return kOutsideCodePage + codePoint;
    return kByteWeights[kTurkishUpperMap[static_cast<unsigned char>(*byte)]];
}

// The digits from `position` on, without leading zeros; `position` moves past them.
std::string_view NextNumber(std::string_view utf8, std::size_t& position) {
    while (position < utf8.size() && utf8[position] == '0') ++position;
    const std::size_t start = position;
    while (position < utf8.size() && IsDigit(utf8[position])) ++position;
    return utf8.substr(start, position - start);
}

}  // namespace

std::weak_ordering CompareNaturally(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        // Most names share a start: the same ASCII letter weighs the same.
        if (a[i] == b[j] && static_cast<unsigned char>(a[i]) < 0x80 && !IsDigit(a[i])) {
            ++i, ++j;
            continue;
        }
        const bool numberA = IsDigit(a[i]), numberB = IsDigit(b[j]);
        if (numberA && numberB) {
            const std::string_view x = NextNumber(a, i), y = NextNumber(b, j);
            if (x.size() != y.size()) return x.size() <=> y.size();
            if (const auto order = x <=> y; order != 0) return order;
            continue;
        }
        const std::uint32_t x = numberA ? '0' : NextWeight(a, i), y = numberB ? '0' : NextWeight(b, j);
        if (x != y) return x <=> y;
    }
    return (i < a.size()) <=> (j < b.size());
}

}  // namespace text
