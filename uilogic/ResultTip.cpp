#include "uilogic/ResultTip.h"

#include "uilogic/ErrorExplanation.h"

#include <vector>

namespace {

const std::string kErr = "err";
const std::string kExplainedPrefix = "err: ";

} // namespace

std::string ExplainedResultLine(const std::string& text, int line) {
    const std::vector<ExplainedLine> lines = ExplainSheet(text);
    if (line < 0 || static_cast<size_t>(line) >= lines.size())
        return std::string();
    const ExplainedLine& explained = lines[static_cast<size_t>(line)];
    if (explained.plain.empty() ||
        explained.result.compare(0, kExplainedPrefix.size(), kExplainedPrefix) != 0)
        return explained.result;
    return kExplainedPrefix + explained.plain + '\n' +
           explained.result.substr(kExplainedPrefix.size());
}

bool IsResultCutOff(int left, int width, int visibleWidth) {
    return width > 0 && (left < 0 || left + width > visibleWidth);
}

bool NeedsExplanation(const std::string& shown) {
    return shown == kErr;
}

std::string ResultToolTip(const std::string& shown, const std::string& explained, bool cutOff) {
    if (NeedsExplanation(shown))
        return explained.compare(0, kExplainedPrefix.size(), kExplainedPrefix) == 0
                   ? explained.substr(kExplainedPrefix.size())
                   : std::string();
    return cutOff ? shown : std::string();
}
