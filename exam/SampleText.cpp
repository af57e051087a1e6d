#include "exam/SampleText.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/Cp1254.h"
#include "platform/Files.h"
#include "platform/KeyDerivation.h"
#include "platform/RichEdit.h"
#include "platform/SystemReason.h"
#include "text/Utf16Detection.h"

namespace exam {

namespace {

constexpr wchar_t kSampleFile[] = L"Metin.rtf";
constexpr char kFailedToLoad[] = "Failed to Load Stream";

[[noreturn]] void ThrowCannotOpen(DWORD error) {
    throw std::runtime_error("Cannot open file \"" + platform::NarrowCp1254(platform::FullPath(kSampleFile)) + "\". " +
                             platform::SystemReason(error));
}

// Sizes in whole kilobytes, rounded up, so that a file over the limit never shows as the limit.
std::string Kilobytes(ULONGLONG bytes) { return std::to_string((bytes + 1023) / 1024) + " KB"; }

std::string TooLarge(ULONGLONG bytes) {
    return platform::NarrowCp1254(kSampleFile) + " \xE7ok b\xFCy\xFCk: " + Kilobytes(bytes) +
           ". S\xFDnav metni en \xE7ok " + Kilobytes(kMaxSampleBytes) + " olabilir.";
}

std::string ReadSampleFile() {
    platform::WholeFile file = platform::ReadWholeFile(kSampleFile, kMaxSampleBytes);
    if (file.error) ThrowCannotOpen(file.error);
    if (file.size > kMaxSampleBytes) throw std::runtime_error(TooLarge(file.size));
    return std::move(file.bytes);
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

// UTF-16 text as Windows-1254, without its byte-order mark; an odd last byte is no character.
std::string FromUtf16(std::string_view bytes, text::ByteOrder order) {
    const bool bigEndian = order == text::ByteOrder::BigEndian;
    if (bytes.starts_with(bigEndian ? "\xFE\xFF" : "\xFF\xFE")) bytes.remove_prefix(2);
    const auto byte = [bytes](std::size_t at) -> unsigned { return static_cast<unsigned char>(bytes[at]); };
    const std::size_t high = bigEndian ? 0 : 1;
    std::wstring wide(bytes.size() / 2, L'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) {
        wide[i] = static_cast<wchar_t>(byte(2 * i + high) << 8 | byte(2 * i + 1 - high));
    }
    return platform::NarrowCp1254(wide);
}

// Plain text that is not UTF-16 is Windows-1254 unless it reads as UTF-8, with or without its byte-order mark; that
// is converted, so that a sample saved by a Unicode editor shows its letters.
std::string AsWindows1254(std::string_view text) {
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

// A NUL byte means a binary file, not a sample text: rich text would end at it and plain text would show more than
// text, either way a wrong text before the candidate.
void RefuseBinary(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) throw std::runtime_error(kFailedToLoad);
}

}  // namespace

// UTF-16 is decoded first, since its zero bytes are its text's. The rich-edit control's own writer, WordPad's too,
// ends its rich text with a NUL byte, which is no sign of a binary file there.
SampleContent ReadSampleText() {
    const std::string file = ReadSampleFile();
    const std::optional<text::ByteOrder> utf16 = text::Utf16ByteOrder(file);
    const std::string content = utf16 ? FromUtf16(file, *utf16) : file;
    if (std::string_view rtf = RichTextIn(content); !rtf.empty()) {
        while (rtf.ends_with('\0')) rtf.remove_suffix(1);
        RefuseBinary(rtf);
        return {std::string(rtf), true, platform::Sha256Hex(file)};
    }
    RefuseBinary(content);
    return {WithCrLfLineBreaks(utf16 ? content : AsWindows1254(content)), false, platform::Sha256Hex(file)};
}

// A file that starts as rich text but does not read as such is damaged: its RTF source is no sample text either.
void ShowSampleText(const platform::RichEditView& metin, const SampleContent& sample) {
    if (!sample.rich) {
        metin.SetText(sample.text);
        return;
    }
    if (!metin.LoadRtf(sample.text)) throw std::runtime_error(kFailedToLoad);
}

}  // namespace exam
