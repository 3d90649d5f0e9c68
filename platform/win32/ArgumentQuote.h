#pragma once

#include <string>
#include <vector>

// Command lines for CreateProcessW, read back by the C runtime and CommandLineToArgvW: an
// argument with a space, a tab or a double quote (or an empty one) is put in double quotes;
// double quotes inside are escaped with a backslash, and backslashes before a double quote
// (also the closing one: a folder "C:\x\" ends in one) are doubled. Works on UTF-8 as on
// UTF-16, since only ASCII characters matter.
std::string QuoteArgument(const std::string& argument);

// program and its arguments as one command line, each quoted where needed. The program is
// always quoted, so that a path with spaces is never split at its first space.
std::string BuildCommandLine(const std::string& program, const std::vector<std::string>& arguments);
