// Memory inside the process of another program's window, for messages whose pointers the window reads in its own
// process. Wine copies the data of a few messages across processes (WM_SETTEXT, WM_GETTEXT, LB_GETTEXT) but hands
// the pointers of the common controls' and the rich edit's own messages over unchanged, as Windows does.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace e2e {

class RemoteMemory {
public:
    RemoteMemory(HWND window, std::size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    std::uintptr_t Address(std::size_t offset = 0) const { return reinterpret_cast<std::uintptr_t>(address_) + offset; }
    void Write(std::size_t offset, const void* data, std::size_t size);
    void Read(std::size_t offset, void* data, std::size_t size) const;

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

}  // namespace e2e
