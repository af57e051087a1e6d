#include "platform/Files.h"

namespace platform {

WholeFile ReadWholeFile(const std::wstring& path, ULONGLONG limit) {
    const UniqueFile file = OpenedFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return ReadWholeFile(file.get(), limit);
    WholeFile unopened;
    unopened.error = GetLastError();
    return unopened;
}

WholeFile ReadWholeFile(HANDLE file, ULONGLONG limit) {
    WholeFile whole;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) {
        whole.error = GetLastError();
        return whole;
    }
    whole.size = static_cast<ULONGLONG>(size.QuadPart);
    if (whole.size > limit) return whole;
    whole.bytes.resize(static_cast<std::size_t>(whole.size));
    DWORD read = 0;
    if (!ReadFile(file, whole.bytes.data(), static_cast<DWORD>(whole.bytes.size()), &read, nullptr))
        whole.error = GetLastError();
    else if (read != whole.bytes.size())
        whole.error = ERROR_HANDLE_EOF;
    if (whole.error) whole.bytes.clear();
    return whole;
}

DWORD WriteAndFlush(HANDLE file, std::string_view bytes) {
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return GetLastError();
    if (written != bytes.size()) return ERROR_WRITE_FAULT;
    return FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError();
}

DWORD WriteWholeFile(const std::wstring& path, std::string_view bytes, DWORD creation) {
    DWORD error = ERROR_SUCCESS;
    {
        const UniqueFile file =
            OpenedFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return GetLastError();
        error = WriteAndFlush(file.get(), bytes);
    }
    // Closed first: a file open without shared deletion cannot be deleted.
    if (error) DeleteFileW(path.c_str());
    return error;
}

std::wstring FullPath(const std::wstring& path) {
    std::wstring full(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
    if (full.empty()) return path;
    full.resize(GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    return full;
}

std::wstring ProgramPath() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

std::wstring ProgramFolder() {
    const std::wstring program = ProgramPath();
    return program.substr(0, program.find_last_of(L"\\/") + 1);
}

}  // namespace platform
