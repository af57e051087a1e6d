// An installation's settings, read from PC1.ini beside the program. No Windows header: the file's parsing is
// tested natively; reading the file and acting on the settings is the program's.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "result/pure/ExamRecord.h"

namespace app {

struct Settings {
    enum class Printer { WindowsDefault, Named, None };

    result::ExamBoard board;
    Printer printer = Printer::WindowsDefault;
    std::string printerName;    // UTF-8, for Printer::Named
    std::string recordsFolder;  // UTF-8; empty: the program's default folder
};

// What is wrong with a settings file, for the supervisor to mend before any candidate sits down.
struct SettingsError {
    int line = 0;         // 1-based; 0 when the fault is not on one line (an unreadable encoding)
    std::string message;  // Windows-1254, Turkish, naming the line
};

// Parses the file's bytes: UTF-8 with or without a byte-order mark, or UTF-16 in either byte order. Lines are blank,
// comments (';' or '#'), the section [PC1], or Key=Value with one of the keys KurulBaskani, Uye1, Uye2, Yazici
// (empty: the Windows default; "yok": none), TutanakKlasoru, each at most once and in any case. The first fault
// found is the answer.
std::variant<Settings, SettingsError> ParseSettings(std::string_view fileBytes);

}  // namespace app
