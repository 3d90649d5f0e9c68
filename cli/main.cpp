// corvane-sheet: evaluates a worksheet file and prints what the results pane would show.
#include "cli/SheetOptions.h"
#include "cli/SheetText.h"
#include "settings/CalcSettings.h"
#include "worksheet/Worksheet.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Applies the formatting steps in command-line order; false with a message on failure.
bool ApplySteps(const SheetOptions& options, std::string& error) {
    for (const SettingStep& step : options.steps) {
        switch (step.kind) {
        case SettingStep::Kind::Decimals:
            g_settings.m_decimals = step.decimals;
            break;
        case SettingStep::Kind::KeepZeros:
            g_settings.m_deleteTrailingZeros = 0;
            break;
        case SettingStep::Kind::NoGroup:
            g_settings.m_groupDigits = 0;
            break;
        case SettingStep::Kind::SettingsFile:
            if (!LoadSettings(step.path)) {
                std::FILE* probe = std::fopen(step.path.c_str(), "rb");
                const std::string reason = probe ? "cannot be read" : std::strerror(errno);
                if (probe) {
                    std::fclose(probe);
                }
                error = "settings file " + step.path + ": " + reason;
                return false;
            }
            break;
        }
    }
    return true;
}

bool ReadInput(const std::string& path, std::string& text, std::string& error) {
    if (path.empty() || path == "-") {
        if (!ReadAll(stdin, text)) {
            error = std::string("standard input: ") + std::strerror(errno);
            return false;
        }
        return true;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    const bool ok = ReadAll(file, text);
    const int readErrno = errno;
    std::fclose(file);
    if (!ok) {
        error = path + ": " + std::strerror(readErrno);
    }
    return ok;
}

} // namespace

int main(int argc, char* argv[]) {
    SheetOptions options;
    std::string error;
    if (!ParseSheetOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "corvane-sheet: %s\n%s\n", error.c_str(), kSheetUsage);
        return 2;
    }
    if (options.help) {
        std::printf("%s\n", kSheetUsage);
        return 0;
    }
    std::string text;
    if (!ApplySteps(options, error) || !ReadInput(options.inputPath, text, error)) {
        std::fprintf(stderr, "corvane-sheet: %s\n", error.c_str());
        return 1;
    }

    Worksheet worksheet;
    worksheet.SetExplainErrors(options.explainErrors);
    std::string results;
    worksheet.EvaluateText(ToPaneText(std::move(text)), results);
    const std::string output = ToOutputText(results);
    if (std::fwrite(output.data(), 1, output.size(), stdout) != output.size() ||
        std::fflush(stdout) != 0) {
        std::fprintf(stderr, "corvane-sheet: cannot write the results: %s\n", std::strerror(errno));
        return 1;
    }
    return 0;
}
