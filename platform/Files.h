// Files: the owner of a handle as CreateFileW returns it, a whole file read with a limit, writing that reaches the
// disk, folders made, full paths, the program's own path and folder, the computer's folder for programs' data.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/Unique.h"

namespace platform {

inline void CloseFile(HANDLE file) { CloseHandle(file); }
using UniqueFile = Unique<HANDLE, CloseFile>;

// CreateFileW's failure, INVALID_HANDLE_VALUE, becomes an empty owner.
inline UniqueFile OpenedFile(HANDLE file) { return UniqueFile(file == INVALID_HANDLE_VALUE ? nullptr : file); }

// A whole file, read while other programs may read it but none may write it, so that its size holds.
struct WholeFile {
    DWORD error = ERROR_SUCCESS;  // of opening or reading it
    ULONGLONG size = 0;
    std::string bytes;  // empty when the file is larger than the limit
};
WholeFile ReadWholeFile(const std::wstring& path, ULONGLONG limit);
// A whole file as it stands while others go on writing, renaming or deleting it: its last line may be half-written.
WholeFile ReadSharedFile(const std::wstring& path, ULONGLONG limit);
// The same through a handle the caller holds, open for reading and at the file's start.
WholeFile ReadWholeFile(HANDLE file, ULONGLONG limit);

// Writes the bytes and has them on the disk before it returns; the system's error, or ERROR_SUCCESS.
DWORD WriteAndFlush(HANDLE file, std::string_view bytes);

// Makes a file (`creation` as CreateFileW takes it: CREATE_NEW, CREATE_ALWAYS) that holds the bytes on the disk, or,
// when it cannot write them all, none: the system's error, or ERROR_SUCCESS. A file to be renamed into place once
// whole.
DWORD WriteWholeFile(const std::wstring& path, std::string_view bytes, DWORD creation);

struct FoundFile {
    std::wstring path;
    ULONGLONG size = 0;
    FILETIME written{};
};
// The files (no folders) whose names match `pattern` (as FindFirstFileW takes it: *.csv) in the folder, in no
// order. The system's error when the folder cannot be listed; none matching is no error.
DWORD ListFiles(const std::wstring& folder, std::wstring_view pattern, std::vector<FoundFile>& found);

// Puts the bytes in place of the file, or makes it: they are written whole under `temporary` (beside the file, so
// that one rename moves them) and renamed over the file in one step, so that a reader finds the old file or the new
// one, never half of one. The system's error, or ERROR_SUCCESS; on an error the file is as it was.
DWORD ReplaceWholeFile(const std::wstring& path, const std::wstring& temporary, std::string_view bytes);

// Creates the folder and its missing parents: the system's error when the folder is neither made nor found, or
// ERROR_SUCCESS.
DWORD CreateFolder(const std::wstring& folder);

// A name in a folder (the name in UTF-8), kept in its usual form: the long form is made where it reaches Windows.
std::wstring InFolder(const std::wstring& folder, std::string_view utf8Name);
// The same with a name as Windows gives it.
std::wstring InFolder(const std::wstring& folder, std::wstring_view name);

// %ProgramData% (C:\ProgramData when it is not set), where the program keeps what it writes for every user.
std::wstring ProgramDataFolder();
// %LOCALAPPDATA%: the user's own folder on this PC, which no other PC reaches.
std::wstring LocalAppDataFolder();

// The full path of a file or folder named relative to the current folder, at any length; the name as it is when it
// cannot be made full.
std::wstring FullPath(const std::wstring& path);

// The full path of the running program's executable, and its folder with the final backslash.
std::wstring ProgramPath();
std::wstring ProgramFolder();

}  // namespace platform
