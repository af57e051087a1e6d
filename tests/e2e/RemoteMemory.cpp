#include "tests/e2e/RemoteMemory.h"

#include <stdexcept>

namespace e2e {

RemoteMemory::RemoteMemory(HWND window, std::size_t size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!address_) {
        if (process_) CloseHandle(process_);
        throw std::runtime_error("cannot reach the window's process's memory");
    }
}

RemoteMemory::~RemoteMemory() {
    VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    CloseHandle(process_);
}

void RemoteMemory::Write(std::size_t offset, const void* data, std::size_t size) {
    if (!WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr))
        throw std::runtime_error("cannot write into the window's process's memory");
}

void RemoteMemory::Read(std::size_t offset, void* data, std::size_t size) const {
    if (!ReadProcessMemory(process_, static_cast<const char*>(address_) + offset, data, size, nullptr))
        throw std::runtime_error("cannot read the window's process's memory");
}

}  // namespace e2e
