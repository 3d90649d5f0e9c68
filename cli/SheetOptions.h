#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One formatting step of the command line, applied to the settings in command-line order.
struct SettingStep {
    enum class Kind { Decimals, KeepZeros, NoGroup, SettingsFile };
    Kind kind;
    int32_t decimals = 0; // for Decimals
    std::string path;     // for SettingsFile
};

struct SheetOptions {
    std::vector<SettingStep> steps;
    bool explainErrors = false; // --why: the engine's message
    bool plainErrors = false;   // --explain: the plain words (ahead of --why)
    bool help = false;
    std::string inputPath; // empty or "-": standard input
};

// Parses argv[1..]; false with a message in error on a usage error.
bool ParseSheetOptions(int argc, const char* const argv[], SheetOptions& options,
                       std::string& error);

extern const char* const kSheetUsage;
