#include "settings/SettingsFile.h"

#include "platform/ModulePath.h"
#include "platform/WholeFile.h"
#include "settings/SettingsFormat.h"
#include "settings/TextTable.h"

std::string GetSettingsPath() {
    return GetModuleFolder() + GetText(TextId::SettingsFileName);
}

bool LoadSettings() {
    return LoadSettings(GetSettingsPath(), g_settings);
}

bool LoadSettings(const std::string& path) {
    return LoadSettings(path, g_settings);
}

bool LoadSettings(const std::string& path, CalcSettings& settings) {
    std::string text;
    if (!ReadWholeRegularFile(path, text))
        return false;
    ParseSettingsText(text, settings);
    return true;
}

bool SaveSettings() {
    return SaveSettings(GetSettingsPath(), g_settings);
}

bool SaveSettings(const std::string& path) {
    return SaveSettings(path, g_settings);
}

bool SaveSettings(const std::string& path, const CalcSettings& settings) {
    return WriteFileAtomically(path, FormatSettingsText(settings));
}
