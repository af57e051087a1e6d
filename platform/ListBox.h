// Typed access to a list box whose entries are Windows-1254 texts.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

int ListBoxCount(HWND listBox);
// Keeps the first `keep` entries and appends the given ones after them, drawing once at the end.
void ReplaceListBoxItems(HWND listBox, std::size_t keep, std::span<const std::string> appended);

}  // namespace platform
