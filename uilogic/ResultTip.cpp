#include "uilogic/ResultTip.h"

#include "worksheet/Worksheet.h"

namespace {

const std::string kErr = "err";
const std::string kExplainedPrefix = "err: ";

} // namespace

std::string ExplainedResultLine(const std::string& text, int line) {
    std::string results;
    Worksheet sheet;
    sheet.SetExplainErrors(true);
    sheet.EvaluateText(text, results);
    size_t start = 0;
    for (int i = 0; i < line; ++i) {
        start = results.find("\r\n", start);
        if (start == std::string::npos)
            return std::string();
        start += 2;
    }
    const size_t end = results.find("\r\n", start);
    return end == std::string::npos ? std::string() : results.substr(start, end - start);
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
