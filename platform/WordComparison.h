// Windows' own case-insensitive word comparison for the user's locale, on Windows-1254 words.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// True when CompareString with NORM_IGNORECASE reports the two words equal.
bool WordsEqual(std::string_view left, std::string_view right);

// A sort key of the word: two words have equal keys exactly when WordsEqual reports them equal,
// so scoring can look words up in a hash set instead of comparing every pair.
std::string WordSortKey(std::string_view word);

}  // namespace platform
