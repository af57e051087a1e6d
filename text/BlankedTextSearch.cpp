#include "text/BlankedTextSearch.h"

#include <algorithm>

#include "text/CaseFolding.h"

namespace text {
namespace {

// Upper-casing and the word key's folding in one step. Letters only ever map to letters, so word boundaries can
// be judged on the folded text.
constexpr ByteMap kSearchFoldMap = ComposeMaps(kTurkishUpperMap, kWordKeyFoldMap);

// Letters and digits of Windows-1254.
constexpr std::array<bool, 256> WordByteTable() {
    std::array<bool, 256> table{};
    const auto mark = [&table](int first, int last) {
        for (int byte = first; byte <= last; ++byte) {
            table[byte] = true;
        }
    };
    mark('0', '9');
    mark('A', 'Z');
    mark('a', 'z');
    for (int byte : {0x83, 0x8A, 0x8C, 0x9A, 0x9C, 0x9F, 0xAA, 0xB5, 0xBA}) {
        mark(byte, byte);
    }
    mark(0xC0, 0xFF);
    table[0xD7] = false;  // multiplication sign
    table[0xF7] = false;  // division sign
    return table;
}

constexpr std::array<bool, 256> kWordByte = WordByteTable();

}  // namespace

void BlankedTextSearch::SetText(std::string_view text) {
    folded_ = MapEachByte(text, kSearchFoldMap);
}

int BlankedTextSearch::TextLength() const {
    return static_cast<int>(folded_.size());
}

int BlankedTextSearch::FindWholeWord(std::string_view word, int from, int to) const {
    if (word.empty()) {
        return -1;
    }
    const std::string needle = MapEachByte(word, kSearchFoldMap);
    const std::string_view haystack(folded_);
    const auto end = static_cast<std::size_t>(std::clamp(to, 0, TextLength()));
    for (auto pos = static_cast<std::size_t>(std::max(from, 0));; ++pos) {
        pos = haystack.find(needle, pos);
        if (pos == std::string_view::npos || pos + needle.size() > end) {
            return -1;
        }
        if (IsWholeWordAt(pos, needle.size())) {
            return static_cast<int>(pos);
        }
    }
}

bool BlankedTextSearch::IsWholeWordAt(std::size_t start, std::size_t length) const {
    const auto isWordByte = [this](std::size_t at) { return kWordByte[static_cast<unsigned char>(folded_[at])]; };
    const std::size_t end = start + length;
    return (start == 0 || !isWordByte(start - 1)) && (end == folded_.size() || !isWordByte(end));
}

}  // namespace text
