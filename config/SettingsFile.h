// The installation's settings file, PC1.ini beside the program.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "config/pure/Settings.h"

namespace config {

// PC1.ini in the folder of the running program, which PC1.exe and the settings program share.
std::wstring SettingsPath();

// The bytes of PC1.ini beside the program, none when there is no such file, or why it cannot be read.
std::variant<std::string, SettingsError> ReadSettingsBytes();

// The settings of PC1.ini beside the program, the defaults when there is no such file, or what is wrong with it.
std::variant<Settings, SettingsError> ReadSettingsFile();

// Puts these bytes in place of PC1.ini beside the program in one step, so that a reader finds the old file or the
// new one, never part of either; or says why it cannot. Either is logged.
std::optional<SettingsError> WriteSettingsBytes(std::string_view bytes);

// Logs what the program read: the file and the values that matter (the printer, the records folder, whether a
// supervisor's sequence is set, never its hash), or its fault.
void LogSettings(const std::variant<Settings, SettingsError>& read);

// Tells the supervisor what is wrong with the settings file, before any candidate sits down.
void ShowSettingsError(const SettingsError& error);

// Tells the supervisor that no exam can start before the sequence is set with the settings program.
void ShowNoSequence();

}  // namespace config
