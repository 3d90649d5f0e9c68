#include "platform/win32/ArgumentQuote.h"

std::string QuoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count only before a double quote: there they are doubled.
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

std::string BuildCommandLine(const std::string& program,
                             const std::vector<std::string>& arguments) {
    // A program path holds no double quote, so plain quotes around it are enough.
    std::string line = "\"" + program + "\"";
    for (const std::string& argument : arguments)
        line += " " + QuoteArgument(argument);
    return line;
}
