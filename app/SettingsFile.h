// The installation's settings file, PC1.ini beside the program.
#pragma once

#include <variant>

#include "app/pure/Settings.h"

namespace app {

// The settings of PC1.ini beside the program, the defaults when there is no such file, or what is wrong with it.
std::variant<Settings, SettingsError> ReadSettingsFile();

// Tells the supervisor what is wrong with the settings file, before any candidate sits down.
void ShowSettingsError(const SettingsError& error);

}  // namespace app
