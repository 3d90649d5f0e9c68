#include "cli/SheetText.h"

#include "platform/WholeFile.h"
#include "worksheet/TextLines.h"

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
    return WithLineBreaks(text, "\r\n");
}

std::string ToOutputText(const std::string& results) {
    return WithLineBreaks(results, "\n");
}
