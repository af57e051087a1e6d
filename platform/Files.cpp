#include "platform/Files.h"

#include "platform/Cp1254.h"
#include "platform/pure/LongPaths.h"

namespace platform {

WholeFile ReadWholeFile(const std::wstring& path, ULONGLONG limit) {
    const UniqueFile file = OpenedFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return ReadWholeFile(file.get(), limit);
    WholeFile unopened;
    unopened.error = GetLastError();
    return unopened;
}

WholeFile ReadSharedFile(const std::wstring& path, ULONGLONG limit) {
    const UniqueFile file = OpenedFile(CreateFileW(LongForm(path).c_str(), GENERIC_READ,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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

DWORD ReplaceWholeFile(const std::wstring& path, const std::wstring& temporary, std::string_view bytes) {
    const std::wstring longTemporary = LongForm(temporary);
    if (const DWORD error = WriteWholeFile(longTemporary, bytes, CREATE_ALWAYS)) return error;
    if (MoveFileExW(longTemporary.c_str(), LongForm(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return ERROR_SUCCESS;
    const DWORD error = GetLastError();
    DeleteFileW(longTemporary.c_str());
    return error;
}

DWORD ListFiles(const std::wstring& folder, std::wstring_view pattern, std::vector<FoundFile>& found) {
    WIN32_FIND_DATAW data{};
    const HANDLE first = FindFirstFileExW(LongForm(InFolder(folder, pattern)).c_str(), FindExInfoBasic, &data,
                                          FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (first == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES ? ERROR_SUCCESS : error;
    }
    const Unique<HANDLE, FindClose> search(first);
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        found.push_back({InFolder(folder, std::wstring_view(data.cFileName)),
                         (ULONGLONG{data.nFileSizeHigh} << 32) | data.nFileSizeLow, data.ftLastWriteTime});
    } while (FindNextFileW(search.get(), &data));
    return ERROR_SUCCESS;
}

// A level that cannot be created (a drive, a share's server) is left to the last step to report, when the folder
// itself is neither made nor found. A share's server and the share itself are never asked for: Windows cannot make
// them, and Wine, which has no network, makes a folder for each under its own UNC folder, after which a server that
// does not exist would seem to take records.
DWORD CreateFolder(const std::wstring& folder) {
    std::size_t first = 1;
    if (folder.starts_with(L"\\\\") || folder.starts_with(L"//")) {
        const std::size_t share = folder.find_first_of(L"\\/", 2);
        first = share == std::wstring::npos ? share : folder.find_first_of(L"\\/", share + 1);
    }
    for (std::size_t slash = folder.find_first_of(L"\\/", first); slash != std::wstring::npos;
         slash = folder.find_first_of(L"\\/", slash + 1)) {
        CreateDirectoryW(LongForm(folder.substr(0, slash)).c_str(), nullptr);
    }
    const std::wstring longFolder = LongForm(folder);
    if (CreateDirectoryW(longFolder.c_str(), nullptr)) return ERROR_SUCCESS;
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesW(longFolder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ERROR_SUCCESS : error;
}

std::wstring InFolder(const std::wstring& folder, std::string_view utf8Name) {
    return InFolder(folder, std::wstring_view(WidenUtf8(utf8Name)));
}

std::wstring InFolder(const std::wstring& folder, std::wstring_view name) {
    const bool separated = folder.ends_with(L'\\') || folder.ends_with(L'/');
    return folder + (separated ? L"" : L"\\") + std::wstring(name);
}

namespace {

// The variable is read at whatever length it has; without it, Windows' own place for it.
std::wstring FolderFromEnvironment(const wchar_t* variable, const wchar_t* fallback) {
    std::wstring folder(GetEnvironmentVariableW(variable, nullptr, 0), L'\0');
    const DWORD length = GetEnvironmentVariableW(variable, folder.data(), static_cast<DWORD>(folder.size()));
    folder.resize(length < folder.size() ? length : 0);
    return folder.empty() ? std::wstring(fallback) : folder;
}

}  // namespace

std::wstring ProgramDataFolder() { return FolderFromEnvironment(L"ProgramData", L"C:\\ProgramData"); }

std::wstring LocalAppDataFolder() {
    return FolderFromEnvironment(L"LOCALAPPDATA", L"C:\\Users\\Default\\AppData\\Local");
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
