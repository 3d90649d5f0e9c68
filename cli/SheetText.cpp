#include "cli/SheetText.h"

#include "platform/WholeFile.h"

#include <cerrno>
#include <cstring>

bool ReadFile(const std::string& path, std::string& text, std::string& error) {
    if (!ReadWholeFile(path, text)) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

std::string ToPaneText(std::string text) {
    // A byte-order mark from an editor is no part of the first expression.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text.erase(0, 3);
    }
    if (!text.empty() && text.back() == '\n') {
        text.pop_back();
        if (!text.empty() && text.back() == '\r') {
            text.pop_back();
        }
    }
    std::string pane;
    pane.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            pane += '\r';
        }
        pane += text[i];
    }
    return pane;
}

std::string ToOutputText(const std::string& results) {
    std::string output;
    output.reserve(results.size());
    for (size_t i = 0; i < results.size(); ++i) {
        if (results[i] == '\r' && i + 1 < results.size() && results[i + 1] == '\n') {
            continue;
        }
        output += results[i];
    }
    return output;
}
