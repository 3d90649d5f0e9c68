#pragma once

#include "settings/CalcSettings.h"

#include <string>

// The settings file beside the executable, read into and written from the settings model.

// GetModuleFolder() + text id 36.
std::string GetSettingsPath();

// Fill g_settings from the file; false (changing nothing) when it cannot be opened.
bool LoadSettings();
bool LoadSettings(const std::string& path);
bool LoadSettings(const std::string& path, CalcSettings& settings);
// Write the whole file anew, atomically; false (old file untouched) when it cannot be written.
bool SaveSettings();
bool SaveSettings(const std::string& path);
bool SaveSettings(const std::string& path, const CalcSettings& settings);
