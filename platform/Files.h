// Files: the owner of a handle as CreateFileW returns it, writing that reaches the disk, full paths, the program's own
// path.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/Unique.h"

namespace platform {

inline void CloseFile(HANDLE file) { CloseHandle(file); }
using UniqueFile = Unique<HANDLE, CloseFile>;

// CreateFileW's failure, INVALID_HANDLE_VALUE, becomes an empty owner.
inline UniqueFile OpenedFile(HANDLE file) { return UniqueFile(file == INVALID_HANDLE_VALUE ? nullptr : file); }

// Writes the bytes and has them on the disk before it returns; the system's error, or ERROR_SUCCESS.
inline DWORD WriteAndFlush(HANDLE file, std::string_view bytes) {
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return GetLastError();
    if (written != bytes.size()) return ERROR_WRITE_FAULT;
    return FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError();
}

// The full path of a file or folder named relative to the current folder, at any length; the name as it is when it
// cannot be made full.
inline std::wstring FullPath(const std::wstring& path) {
    std::wstring full(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
    if (full.empty()) return path;
    full.resize(GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    return full;
}

// The full path of the running program's executable.
inline std::wstring ProgramPath() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

}  // namespace platform
