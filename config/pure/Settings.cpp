#include "config/pure/Settings.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "platform/pure/LongPaths.h"
#include "text/Cp1254Unicode.h"
#include "text/Utf16Detection.h"
#include "text/Utf8.h"

namespace config {

namespace {

// Why a value is refused, in Windows-1254, or nothing when it is taken.
using Refusal = std::optional<std::string>;

// A name under a signature line is printed in Windows-1254; a character it lacks would print as '?'.
Refusal SetBoardName(std::string& name, std::string_view value) {
    text::Cp1254Conversion conversion = text::Utf8ToCp1254(value);
    if (conversion.firstMissing) {
        char codePoint[16];
        std::snprintf(codePoint, sizeof codePoint, "U+%04X", static_cast<unsigned>(*conversion.firstMissing));
        return std::string(codePoint) + " karakterinin Windows-1254 kar\xFE\xFDl\xFD\xF0\xFD yok.";
    }
    name = std::move(conversion.text);
    return std::nullopt;
}

// The folder must leave room, within what Windows takes in a path, for the longest name a record's file has in it.
// Characters are counted as Windows counts them, in UTF-16 code units.
Refusal SetRecordsFolder(std::string& folder, std::string_view value) {
    constexpr std::size_t kMaxFolderCharacters =
        platform::kMaxLongPathCharacters - 1 - platform::kLongFormGrowth - 1 - kRecordFileNameRoom;
    std::size_t length = 0, name = 0, longestName = 0;
    for (std::size_t position = 0; position < value.size();) {
        const char32_t c = text::NextUtf8(value, position).value_or(U'?');
        const std::size_t units = c > 0xFFFF ? 2 : 1;
        length += units;
        name = c == U'\\' || c == U'/' ? 0 : name + units;
        longestName = std::max(longestName, name);
    }
    if (longestName > platform::kMaxPathNameCharacters)
        return "yoldaki bir klas\xF6r ad\xFD " + std::to_string(longestName) +
               " karakter; Windows'ta bir ad en \xE7ok " + std::to_string(platform::kMaxPathNameCharacters) +
               " karakter olabilir.";
    if (length > kMaxFolderCharacters)
        return "klas\xF6r yolu " + std::to_string(length) +
               " karakter; tutanaklar\xFDn adlar\xFDna yer kalmas\xFD i\xE7in en \xE7ok " +
               std::to_string(kMaxFolderCharacters) + " karakter olabilir.";
    folder = value;
    return std::nullopt;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, {}, lower, lower);
}

constexpr char kSetTheSequenceAgain[] = "sat\xFDr\xFD silip s\xFDray\xFD \"PC1 Ayarlar\xFD\" ile yeniden belirleyin.";

// Too few iterations make guessing the sequence from a copied file cheap; too many hold the exam window at every check.
Refusal IterationsFault(std::uint32_t iterations) {
    if (iterations >= kMinIterations && iterations <= kMaxIterations) return std::nullopt;
    return "yineleme say\xFDs\xFD " + std::to_string(iterations) + ", " + std::to_string(kMinIterations) + " ile " +
           std::to_string(kMaxIterations) + " aras\xFDnda olmal\xFD; " + kSetTheSequenceAgain;
}

struct SettingKey {
    std::string_view name;
    Refusal (*apply)(Settings& settings, std::string_view value);
};

// Every key the file may hold, each at most once.
constexpr SettingKey kKeys[] = {
    {kChairKey, [](Settings& s, std::string_view v) { return SetBoardName(s.board.chair, v); }},
    {kFirstMemberKey, [](Settings& s, std::string_view v) { return SetBoardName(s.board.firstMember, v); }},
    {kSecondMemberKey, [](Settings& s, std::string_view v) { return SetBoardName(s.board.secondMember, v); }},
    {kPrinterKey,
     [](Settings& s, std::string_view v) -> Refusal {
         using Kind = PrinterChoice::Kind;
         s.printer.kind = v.empty()                           ? Kind::WindowsDefault
                          : EqualsIgnoringAsciiCase(v, "yok") ? Kind::None
                                                              : Kind::Named;
         s.printer.name = s.printer.kind == Kind::Named ? std::string(v) : std::string();
         return std::nullopt;
     }},
    {kRecordsFolderKey, [](Settings& s, std::string_view v) { return SetRecordsFolder(s.recordsFolder, v); }},
    {kSequenceKey,
     [](Settings& s, std::string_view v) -> Refusal {
         if (v.empty()) return std::nullopt;
         s.sequence = ParseSequenceHash(v);
         if (!s.sequence) return std::string("bozuk; ") + kSetTheSequenceAgain;
         return IterationsFault(s.sequence->iterations);
     }},
};

constexpr std::string_view kSection = "PC1";

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

bool IsWellFormedUtf8(std::string_view line) {
    for (std::size_t position = 0; position < line.size();) {
        if (!text::NextUtf8(line, position)) return false;
    }
    return true;
}

bool HasControlCharacter(std::string_view line) {
    return std::ranges::any_of(line,
                               [](char c) { return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F; });
}

// The file's text as UTF-8 without its byte-order mark, or nothing when its UTF-16 does not decode.
std::optional<std::string> FileText(std::string_view bytes) {
    if (const auto order = text::Utf16ByteOrder(bytes)) {
        if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) bytes.remove_prefix(2);
        return text::Utf16ToUtf8(bytes, *order);
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    return std::string(bytes);
}

SettingsError LineError(int line, const std::string& what) {
    return {line, "PC1.ini, sat\xFDr " + std::to_string(line) + ": " + what};
}

// A text of the file in a message: the supervisor reads it in Windows-1254.
std::string Quoted(std::string_view utf8) {
    std::string quoted(1, '"');
    quoted += text::Utf8ToCp1254(utf8).text;
    return quoted + '"';
}

// Takes the next line off the front of the text, without its line end.
std::string_view NextLine(std::string_view& rest) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

// The key of a "Key=Value" line, or nothing.
std::optional<std::string_view> KeyOf(std::string_view line) {
    line = Trimmed(line);
    const std::size_t equals = line.find('=');
    if (line.starts_with(';') || line.starts_with('#') || equals == std::string_view::npos) return std::nullopt;
    return Trimmed(line.substr(0, equals));
}

}  // namespace

std::variant<Settings, SettingsError> ParseSettings(std::string_view fileBytes) {
    const std::optional<std::string> fileText = FileText(fileBytes);
    if (!fileText) return SettingsError{0, "PC1.ini: dosyan\xFDn UTF-16 kodlamas\xFD bozuk."};

    Settings settings;
    std::vector<bool> given(std::size(kKeys), false);
    std::string_view rest = *fileText;
    for (int lineNumber = 1; !rest.empty(); ++lineNumber) {
        std::string_view line = NextLine(rest);
        if (!IsWellFormedUtf8(line))
            return LineError(lineNumber,
                             "ge\xE7"
                             "ersiz UTF-8 baytlar\xFD.");
        if (HasControlCharacter(line)) return LineError(lineNumber, "sat\xFDrda denetim karakteri var.");
        line = Trimmed(line);
        if (line.empty() || line.starts_with(';') || line.starts_with('#')) continue;
        if (line.starts_with('[')) {
            if (!line.ends_with(']') || !EqualsIgnoringAsciiCase(Trimmed(line.substr(1, line.size() - 2)), kSection)) {
                return LineError(lineNumber, "bilinmeyen b\xF6l\xFCm " + Quoted(line) + "; yaln\xFDz [PC1] olabilir.");
            }
            continue;
        }
        const std::size_t equals = line.find('=');
        const std::string_view key = Trimmed(line.substr(0, equals));
        if (equals == std::string_view::npos || key.empty()) {
            return LineError(lineNumber,
                             "\"Anahtar=De\xF0"
                             "er\" bi\xE7iminde olmal\xFD.");
        }
        const auto known =
            std::ranges::find_if(kKeys, [&](const SettingKey& k) { return EqualsIgnoringAsciiCase(k.name, key); });
        if (known == std::end(kKeys)) return LineError(lineNumber, "bilinmeyen ayar " + Quoted(key) + ".");
        const auto index = static_cast<std::size_t>(known - std::begin(kKeys));
        if (given[index]) return LineError(lineNumber, Quoted(known->name) + " ayar\xFD ikinci kez verilmi\xFE.");
        given[index] = true;
        if (Refusal refusal = known->apply(settings, Trimmed(line.substr(equals + 1)))) {
            return LineError(lineNumber, Quoted(known->name) + " ayar\xFD: " + *refusal);
        }
    }
    return settings;
}

std::string WithSettings(std::string_view fileBytes, std::span<const SettingValue> values) {
    const std::string fileText = FileText(fileBytes).value_or(std::string());
    const std::string_view lineEnd = fileText.find("\r\n") != std::string::npos || fileText.empty() ? "\r\n" : "\n";
    std::vector<bool> written(values.size(), false);
    const auto lineOf = [](const SettingValue& setting) {
        std::string line(setting.key);
        line += '=';
        return line.append(setting.value);
    };

    std::string updated = "\xEF\xBB\xBF";
    bool sectionGiven = false;
    std::string_view rest = fileText;
    while (!rest.empty()) {
        const std::string_view line = NextLine(rest);
        sectionGiven = sectionGiven || Trimmed(line).starts_with('[');
        const std::optional<std::string_view> key = KeyOf(line);
        const auto setting = std::ranges::find_if(
            values, [&](const SettingValue& value) { return key && EqualsIgnoringAsciiCase(*key, value.key); });
        const auto index = static_cast<std::size_t>(setting - values.begin());
        const bool rewrite = setting != values.end() && !written[index];
        updated += rewrite ? lineOf(*setting) : std::string(line);
        if (rewrite) written[index] = true;
        updated += lineEnd;
    }
    // The installer reads the sequence as Windows reads any ini file, in its section.
    if (!sectionGiven && std::ranges::find(written, false) != written.end())
        updated.append("[").append(kSection).append("]").append(lineEnd);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!written[i]) updated.append(lineOf(values[i])).append(lineEnd);
    }
    return updated;
}

}  // namespace config
