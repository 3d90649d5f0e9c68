// corvane-sheet: evaluates a worksheet file and prints what the results pane would show.
#include "cli/SheetOptions.h"
#include "cli/SheetText.h"
#include "platform/CommandLine.h"
#include "platform/WholeFile.h"
#include "settings/CalcSettings.h"
#include "settings/SettingsFile.h"
#include "uilogic/ErrorExplanation.h"
#include "worksheet/Worksheet.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// Applies the formatting steps in command-line order to settings; false with a message on
// failure.
bool ApplySteps(const SheetOptions& options, CalcSettings& settings, std::string& error) {
    for (const SettingStep& step : options.steps) {
        switch (step.kind) {
        case SettingStep::Kind::Decimals:
            settings.m_decimals = step.decimals;
            break;
        case SettingStep::Kind::KeepZeros:
            settings.m_deleteTrailingZeros = 0;
            break;
        case SettingStep::Kind::NoGroup:
            settings.m_groupDigits = 0;
            break;
        case SettingStep::Kind::SettingsFile: {
            // Unlike the calculator, which quietly keeps its defaults, the command line
            // reports a settings file that cannot be read whole.
            std::string ignored;
            if (!ReadFile(step.path, ignored, error)) {
                error = "settings file " + error;
                return false;
            }
            if (!LoadSettings(step.path, settings)) {
                error = "settings file " + step.path + ": cannot be read";
                return false;
            }
        } break;
        }
    }
    return true;
}

bool ReadInput(const std::string& path, std::string& text, std::string& error) {
    if (path.empty() || path == "-") {
        if (!ReadWholeStream(stdin, text)) {
            error = std::string("standard input: ") + std::strerror(errno);
            return false;
        }
        return true;
    }
    return ReadFile(path, text, error);
}

// The results (CR LF lines) with each failed line as "err: " and its plain words.
std::string PlainResults(const std::string& text, const FormatOptions& options) {
    std::string results;
    for (const ExplainedLine& line : ExplainSheet(text, options)) {
        results += line.plain.empty() ? line.result : "err: " + line.plain;
        results += "\r\n";
    }
    return results;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments = GetUtf8Arguments(argc, argv);
    std::vector<const char*> argumentTexts;
    for (const std::string& argument : arguments)
        argumentTexts.push_back(argument.c_str());
    SheetOptions options;
    std::string error;
    if (!ParseSheetOptions(static_cast<int>(argumentTexts.size()), argumentTexts.data(), options,
                           error)) {
        std::fprintf(stderr, "corvane-sheet: %s\n%s\n", error.c_str(), kSheetUsage);
        return 2;
    }
    if (options.help) {
        std::printf("%s\n", kSheetUsage);
        return 0;
    }
    CalcSettings settings;
    std::string text;
    if (!ApplySteps(options, settings, error) || !ReadInput(options.inputPath, text, error)) {
        std::fprintf(stderr, "corvane-sheet: %s\n", error.c_str());
        return 1;
    }

    std::string results;
    if (options.plainErrors) {
        results = PlainResults(ToPaneText(std::move(text)), GetFormatOptions(settings));
    } else {
        Worksheet worksheet;
        worksheet.SetExplainErrors(options.explainErrors);
        worksheet.SetFormatOptions(GetFormatOptions(settings));
        worksheet.EvaluateText(ToPaneText(std::move(text)), results);
    }
    const std::string output = ToOutputText(results);
    if (std::fwrite(output.data(), 1, output.size(), stdout) != output.size() ||
        std::fflush(stdout) != 0) {
        std::fprintf(stderr, "corvane-sheet: cannot write the results: %s\n", std::strerror(errno));
        return 1;
    }
    return 0;
}
