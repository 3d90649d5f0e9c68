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
    // Copies whole runs between line feeds; a line feed without its CR gets one.
    std::string pane;
    pane.reserve(text.size() + text.size() / 8);
    size_t start = 0;
    for (size_t lineFeed; (lineFeed = text.find('\n', start)) != std::string::npos;
         start = lineFeed + 1) {
        pane.append(text, start, lineFeed - start);
        if (lineFeed == 0 || text[lineFeed - 1] != '\r') {
            pane += '\r';
        }
        pane += '\n';
    }
    pane.append(text, start, std::string::npos);
    return pane;
}

std::string ToOutputText(const std::string& results) {
    // Copies whole runs up to each CR LF, then the LF alone.
    std::string output;
    output.reserve(results.size());
    size_t start = 0;
    for (size_t pair; (pair = results.find("\r\n", start)) != std::string::npos; start = pair + 2) {
        output.append(results, start, pair - start);
        output += '\n';
    }
    output.append(results, start, std::string::npos);
    return output;
}
