// The system's dialog for choosing a folder, shares included.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace settings {

// The folder chosen, starting at `start` when it exists; nothing when the dialog is cancelled.
std::optional<std::wstring> ChooseFolder(HWND owner, const std::wstring& start);

}  // namespace settings
