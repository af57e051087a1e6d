#include "platform/pure/LongPaths.h"

namespace platform {

std::wstring LongForm(std::wstring_view fullPath) {
    if (fullPath.starts_with(LR"(\\?\)") || fullPath.starts_with(LR"(\\.\)")) return std::wstring(fullPath);
    if (fullPath.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + std::wstring(fullPath.substr(2));
    const bool driveRooted = fullPath.size() >= 3 && fullPath[1] == L':' && fullPath[2] == L'\\';
    return driveRooted ? LR"(\\?\)" + std::wstring(fullPath) : std::wstring(fullPath);
}

}  // namespace platform
