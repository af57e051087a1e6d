// Owner of a file handle as CreateFileW returns it.
#pragma once

#include <windows.h>

#include "platform/Unique.h"

namespace platform {

inline void CloseFile(HANDLE file) { CloseHandle(file); }
using UniqueFile = Unique<HANDLE, CloseFile>;

// CreateFileW's failure, INVALID_HANDLE_VALUE, becomes an empty owner.
inline UniqueFile OpenedFile(HANDLE file) { return UniqueFile(file == INVALID_HANDLE_VALUE ? nullptr : file); }

}  // namespace platform
