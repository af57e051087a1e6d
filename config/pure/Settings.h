// An installation's settings, read from PC1.ini beside the program. No Windows header: the file's parsing is
// tested natively; reading the file and acting on the settings is the program's.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "config/pure/SequenceHash.h"

namespace config {

// The names printed under the board's three signature lines; empty ones leave the line blank.
struct ExamBoard {
    std::string chair, firstMember, secondMember;  // Windows-1254
};

// Where the exam records are printed.
struct PrinterChoice {
    enum class Kind { WindowsDefault, Named, None };
    Kind kind = Kind::WindowsDefault;
    std::string name;  // UTF-8, for Kind::Named
    bool operator==(const PrinterChoice&) const = default;
};

// The room a records folder leaves in a path for the name of a record's file in it (UTF-16 code units), which the
// longest such name fits (result/pure/RecordFileNames).
inline constexpr std::size_t kRecordFileNameRoom = 107;

struct Settings {
    ExamBoard board;
    PrinterChoice printer;
    std::string recordsFolder;             // UTF-8; empty: the program's default folder
    std::optional<SequenceHash> sequence;  // none: no exam may start
};

// What is wrong with a settings file, for the supervisor to mend before any candidate sits down.
struct SettingsError {
    int line = 0;                // 1-based; 0 when the fault is not on one line (an unreadable encoding)
    std::string message;         // Windows-1254, Turkish, naming the line
    std::string systemReason{};  // Windows-1254: Windows' own words when the file could not be read or written
};

// Parses the file's bytes: UTF-8 with or without a byte-order mark, or UTF-16 in either byte order. Lines are blank,
// comments (';' or '#'), the section [PC1], or Key=Value with one of the keys KurulBaskani, Uye1, Uye2, Yazici
// (empty: the Windows default; "yok": none), TutanakKlasoru, DenetimSirasi (the supervisor's sequence, as
// FormatSequenceHash writes it), each at most once and in any case. The first fault found is the answer.
std::variant<Settings, SettingsError> ParseSettings(std::string_view fileBytes);

// The names of the keys, as the file spells them.
inline constexpr std::string_view kChairKey = "KurulBaskani", kFirstMemberKey = "Uye1", kSecondMemberKey = "Uye2",
                                  kPrinterKey = "Yazici", kRecordsFolderKey = "TutanakKlasoru",
                                  kSequenceKey = "DenetimSirasi";

struct SettingValue {
    std::string_view key;
    std::string value;  // UTF-8
};

// The text of a file that ParseSettings takes, with these keys set: a key's line is rewritten where it stands, every
// other line kept as it was, comments included; a key the file lacks is added at its end, after a section line
// [PC1] when the file has none. The answer is UTF-8 with
// a byte-order mark, as the sample file is, whatever encoding the file had.
std::string WithSettings(std::string_view fileBytes, std::span<const SettingValue> values);

}  // namespace config
