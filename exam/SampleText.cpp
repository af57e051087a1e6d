#include "exam/SampleText.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/Cp1254.h"
#include "platform/RichEdit.h"
#include "platform/Unique.h"

namespace exam {

namespace {

constexpr wchar_t kSampleFile[] = L"Metin.rtf";

void CloseFile(HANDLE file) { CloseHandle(file); }
using UniqueFile = platform::Unique<HANDLE, CloseFile>;

// The system's reason for an error, without its final full stop and line break.
std::string SystemReason(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring reason(buffer, length);
    LocalFree(buffer);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
        reason.pop_back();
    if (!reason.empty() && reason.back() == L'.') reason.pop_back();
    return platform::NarrowCp1254(reason);
}

std::string FullPath(const wchar_t* name) {
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetFullPathNameW(name, static_cast<DWORD>(std::size(path)), path, nullptr);
    return platform::NarrowCp1254(std::wstring_view(path, length));
}

// Other programs may read the file meanwhile, but none may write it.
std::string ReadSampleFile() {
    const HANDLE handle = CreateFileW(kSampleFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        throw std::runtime_error("Cannot open file \"" + FullPath(kSampleFile) + "\". " + SystemReason(error));
    }
    const UniqueFile file(handle);
    std::string content;
    char chunk[64 * 1024];
    DWORD read = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) content.append(chunk, read);
    return content;
}

// Plain text keeps its bytes; a lone CR, a lone LF and a CR LF pair each become one line break.
std::string WithCrLfLineBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            result += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

// Plain text is Windows-1254 unless it reads as UTF-8 (with or without its byte-order mark) or carries the
// UTF-16 byte-order mark; those are converted, so that a sample saved by a Unicode editor shows its letters.
std::string AsWindows1254(std::string_view text) {
    if (text.starts_with("\xFF\xFE")) {
        text.remove_prefix(2);
        std::wstring wide(text.size() / 2, L'\0');
        std::memcpy(wide.data(), text.data(), wide.size() * sizeof(wchar_t));
        return platform::NarrowCp1254(wide);
    }
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const bool hasHighBytes = std::ranges::any_of(text, [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (hasHighBytes) {
        const int size = static_cast<int>(text.size());
        std::wstring wide(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0), L'\0');
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(),
                            static_cast<int>(wide.size()));
        if (!wide.empty()) return platform::NarrowCp1254(wide);
    }
    return std::string(text);
}

// The rich text of a file, or nothing when it holds none. Rich text may follow a UTF-8 byte-order mark or blank
// lines; its source must never show as the sample.
std::string_view RichTextIn(std::string_view content) {
    if (content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);
    const auto start = content.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || !content.substr(start).starts_with("{\\rtf")) return {};
    return content.substr(start);
}

}  // namespace

// A file that starts as rich text but does not read as such is damaged: its RTF source is no sample text either.
void LoadSampleText(HWND metin) {
    const std::string content = ReadSampleFile();
    if (const std::string_view rtf = RichTextIn(content); !rtf.empty()) {
        if (!platform::LoadRichEditRtf(metin, rtf)) throw std::runtime_error("Failed to Load Stream");
        return;
    }
    const std::string plain = AsWindows1254(content);
    // A NUL byte means a binary file, not a sample text; showing it would put a wrong text before the candidate.
    if (plain.find('\0') != std::string::npos) throw std::runtime_error("Failed to Load Stream");
    platform::SetRichEditText(metin, WithCrLfLineBreaks(plain));
}

}  // namespace exam
