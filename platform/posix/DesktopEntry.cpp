#include "platform/posix/DesktopEntry.h"

#include <sstream>

namespace {

// Splits an unescaped Exec line into its arguments by the quoting rules of the Desktop Entry
// convention. False when a quote is left open.
bool SplitExecLine(const std::string& line, std::vector<std::string>& arguments) {
    arguments.clear();
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        std::string argument;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\' && i < line.size())
                    argument += line[i++];
                else
                    argument += c;
            }
            if (!closed)
                return false;
        } else {
            while (i < line.size() && line[i] != ' ')
                argument += line[i++];
        }
        arguments.push_back(argument);
    }
    return true;
}

std::string WithPercentsUndoubled(const std::string& argument) {
    std::string plain;
    for (size_t i = 0; i < argument.size(); ++i) {
        plain += argument[i];
        if (argument[i] == '%' && i + 1 < argument.size() && argument[i + 1] == '%')
            ++i;
    }
    return plain;
}

} // namespace

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

std::string UnescapeDesktopValue(const std::string& value) {
    std::string text;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's':
            text += ' ';
            break;
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case 'r':
            text += '\r';
            break;
        default:
            text += value[i];
        }
    }
    return text;
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

std::string ExecLineFor(const std::string& program, const std::string& quotedLine) {
    if (program.find('%') == std::string::npos)
        return quotedLine;
    return "env " + quotedLine;
}

std::string ExecProgram(const std::string& execValue) {
    std::vector<std::string> arguments;
    if (!SplitExecLine(UnescapeDesktopValue(execValue), arguments) || arguments.empty())
        return {};
    size_t first = 0;
    if (arguments[0] == "env" && arguments.size() > 1)
        first = 1;
    return WithPercentsUndoubled(arguments[first]);
}

std::string FormatDesktopEntry(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string text = "[Desktop Entry]\n";
    for (const auto& [key, value] : entries)
        text += key + "=" + value + "\n";
    return text;
}

std::string DesktopEntryValue(const std::string& fileText, const std::string& key) {
    std::istringstream lines(fileText);
    std::string line;
    bool inGroup = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[') {
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        if (!inGroup || line.empty() || line[0] == '#')
            continue;
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        std::string name = line.substr(0, equals);
        while (!name.empty() && name.back() == ' ')
            name.pop_back();
        if (name != key)
            continue;
        const size_t start = line.find_first_not_of(' ', equals + 1);
        return start == std::string::npos ? std::string() : line.substr(start);
    }
    return {};
}
