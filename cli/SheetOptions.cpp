#include "cli/SheetOptions.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

const char* const kSheetUsage = "usage: corvane-sheet [--decimals N] [--keep-zeros] [--no-group] "
                                "[--settings FILE] [--why] [--explain] [FILE]";

namespace {

// Whole text, optional sign and decimal digits only, within 32 bits.
bool ParseInteger(const std::string& text, int32_t& value) {
    size_t i = text.empty() || (text[0] != '-' && text[0] != '+') ? 0 : 1;
    if (i == text.size()) {
        return false;
    }
    for (size_t k = i; k < text.size(); ++k) {
        if (text[k] < '0' || text[k] > '9') {
            return false;
        }
    }
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || parsed < std::numeric_limits<int32_t>::min() ||
        parsed > std::numeric_limits<int32_t>::max()) {
        return false;
    }
    value = static_cast<int32_t>(parsed);
    return true;
}

} // namespace

bool ParseSheetOptions(int argc, const char* const argv[], SheetOptions& options,
                       std::string& error) {
    bool haveInput = false;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!isOption) {
            if (haveInput) {
                error = "more than one input file: '" + arg + "'";
                return false;
            }
            options.inputPath = arg;
            haveInput = true;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help") {
            options.help = true;
            return true;
        } else if (arg == "--why") {
            options.explainErrors = true;
        } else if (arg == "--explain") {
            options.plainErrors = true;
        } else if (arg == "--keep-zeros") {
            options.steps.push_back({SettingStep::Kind::KeepZeros, 0, {}});
        } else if (arg == "--no-group") {
            options.steps.push_back({SettingStep::Kind::NoGroup, 0, {}});
        } else if (arg == "--decimals" || arg == "--settings") {
            if (i + 1 >= argc) {
                error = "option " + arg + " needs a value";
                return false;
            }
            const std::string value = argv[++i];
            if (arg == "--settings") {
                options.steps.push_back({SettingStep::Kind::SettingsFile, 0, value});
                continue;
            }
            int32_t decimals = 0;
            if (!ParseInteger(value, decimals)) {
                error = "--decimals needs an integer, not '" + value + "'";
                return false;
            }
            options.steps.push_back({SettingStep::Kind::Decimals, decimals, {}});
        } else {
            error = "unknown option '" + arg + "'";
            return false;
        }
    }
    return true;
}
