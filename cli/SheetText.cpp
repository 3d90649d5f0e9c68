#include "cli/SheetText.h"

#include <cerrno>
#include <cstring>

bool ReadAll(std::FILE* stream, std::string& text) {
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, stream)) > 0) {
        text.append(buffer, n);
    }
    return std::ferror(stream) == 0;
}

bool ReadFile(const std::string& path, std::string& text, std::string& error) {
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
