#pragma once

#include <string>
#include <utility>
#include <vector>

// Writing Desktop Entry files (.desktop), the freedesktop.org form of a shortcut.

// A value of type string: backslash, newline, tab and carriage return escaped.
std::string EscapeDesktopValue(const std::string& text);

// One argument of an Exec line as it stands between double quotes, before
// EscapeDesktopValue: ", `, $ and \ escaped, and % doubled so that it is no field code.
std::string EscapeExecQuoted(const std::string& argument);
// The same wrapped in the double quotes.
std::string QuoteExecArgument(const std::string& argument);

// The text of a desktop entry file: the "[Desktop Entry]" group and then each key=value line
// in the given order. Values are taken as they are (escape them first).
std::string FormatDesktopEntry(const std::vector<std::pair<std::string, std::string>>& entries);
