#include "setup/DesktopEntry.h"

std::string EscapeDesktopValue(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\r':
            escaped += "\\r";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string EscapeExecQuoted(const std::string& argument) {
    std::string quoted;
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        if (c == '%')
            quoted += '%';
        quoted += c;
    }
    return quoted;
}

std::string QuoteExecArgument(const std::string& argument) {
    return "\"" + EscapeExecQuoted(argument) + "\"";
}

std::string FormatDesktopEntry(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string text = "[Desktop Entry]\n";
    for (const auto& [key, value] : entries)
        text += key + "=" + value + "\n";
    return text;
}
