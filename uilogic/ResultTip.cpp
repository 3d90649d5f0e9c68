#include "uilogic/ResultTip.h"

#include "uilogic/ErrorExplanation.h"

#include <vector>

namespace {

const std::string kErr = "err";
const std::string kExplainedPrefix = "err: ";
// The engine's message quotes the rest of the line, which may be as long as the line: the
// tooltip shows this many characters of it, so that it stays narrower than the screen.
constexpr size_t kMaxMessageCharacters = 64;

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The engine's message cut short after kMaxMessageCharacters characters, its closing quote
// kept.
std::string ShortMessage(const std::string& message) {
    size_t characters = 0;
    for (size_t i = 0; i < message.size(); ++i) {
        if (!IsContinuationByte(message[i]) && ++characters > kMaxMessageCharacters)
            return message.substr(0, i) + "…" + (message.back() == '\'' ? "'" : "");
    }
    return message;
}

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
    if (NeedsExplanation(shown)) {
        if (explained.compare(0, kExplainedPrefix.size(), kExplainedPrefix) != 0)
            return std::string();
        const std::string tip = explained.substr(kExplainedPrefix.size());
        const size_t lineBreak = tip.find('\n');
        return lineBreak == std::string::npos
                   ? ShortMessage(tip)
                   : tip.substr(0, lineBreak + 1) + ShortMessage(tip.substr(lineBreak + 1));
    }
    return cutOff ? shown : std::string();
}
