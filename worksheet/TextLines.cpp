#include "worksheet/TextLines.h"

#include <cstring>

std::string WithLineBreaks(const std::string& text, const char* lineBreak) {
    std::string result;
    result.reserve(text.size() + text.size() / 8);
    const size_t breakLength = std::strlen(lineBreak);
    bool first = true;
    ForEachLine(text, [&](size_t start, size_t length) {
        if (!first) {
            result.append(lineBreak, breakLength);
        }
        first = false;
        result.append(text, start, length);
    });
    return result;
}
