#pragma once

#include "settings/CalcSettings.h"

#include <string>

// The settings file's text, apart from any file handling.

// Applies the lines of a settings file (CR LF or LF line ends) to settings. Keys that are
// missing leave their fields as they were.
void ParseSettingsText(const std::string& text, CalcSettings& settings);

// The whole file as the program writes it: nine keys, then the expression block, CR LF ends.
std::string FormatSettingsText(const CalcSettings& settings);
