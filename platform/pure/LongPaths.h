// Paths longer than MAX_PATH: the form in which Windows takes them, and the limits it sets on them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The most Windows takes in a path of the long form, its terminating NUL included, and in one name along it (NTFS, and
// the shares of Windows servers). Wine on Linux stops earlier: see README.
inline constexpr std::size_t kMaxLongPathCharacters = 32'767, kMaxPathNameCharacters = 255;
// The most that the long form adds to a full path: \\server\share becomes \\?\UNC\server\share.
inline constexpr std::size_t kLongFormGrowth = 6;

// A full path, as GetFullPathNameW makes it, in the form in which CreateFileW, CreateDirectoryW and MoveFileExW take
// it beyond MAX_PATH characters: C:\a as \\?\C:\a, \\server\share\a as \\?\UNC\server\share\a. Windows takes that
// form as it stands, without resolving "." or "/", so a path that is not full, or already of that form, is left as
// it is.
std::wstring LongForm(std::wstring_view fullPath);

}  // namespace platform
