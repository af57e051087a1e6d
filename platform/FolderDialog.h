// The system's dialog for choosing a folder, shares included.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace platform {

// The folder chosen in a dialog of that title, starting at `start` when it exists; nothing when the dialog is
// cancelled.
std::optional<std::wstring> ChooseFolder(HWND owner, const std::wstring& start, const wchar_t* title);

}  // namespace platform
