#pragma once

#include <string>
#include <utility>
#include <vector>

// Writing and reading Desktop Entry files (.desktop), the freedesktop.org form of a shortcut.

// A value of type string: backslash, newline, tab and carriage return escaped.
std::string EscapeDesktopValue(const std::string& text);
// The reverse: \s \n \t \r \\ turned back into their characters.
std::string UnescapeDesktopValue(const std::string& value);

// One argument of an Exec line as it stands between double quotes, before
// EscapeDesktopValue: ", `, $ and \ escaped, and % doubled so that it is no field code.
std::string EscapeExecQuoted(const std::string& argument);
// The same wrapped in the double quotes.
std::string QuoteExecArgument(const std::string& argument);

// An Exec command line (before EscapeDesktopValue) that starts program. GLib looks for the
// program of an Exec line before it turns "%%" back into '%', and drops the entry when it
// finds none; a program whose path holds a '%' is therefore started through env.
std::string ExecLineFor(const std::string& program, const std::string& quotedLine);

// The program that an Exec value (as it stands in the file) starts: the first argument after
// unescaping, unquoting and turning "%%" into '%', or the one after it when the first is
// env. "" when the line cannot be read.
std::string ExecProgram(const std::string& execValue);

// The text of a desktop entry file: the "[Desktop Entry]" group and then each key=value line
// in the given order. Values are taken as they are (escape them first).
std::string FormatDesktopEntry(const std::vector<std::pair<std::string, std::string>>& entries);

// The raw value of key in the "[Desktop Entry]" group of a file's text; "" when absent.
std::string DesktopEntryValue(const std::string& fileText, const std::string& key);

// The categories of the calculator's menu entries.
inline constexpr const char* kDesktopCategories = "Utility;Calculator;";

struct ShortcutSpec;
// The desktop entry text of a shortcut.
std::string DesktopLinkText(const ShortcutSpec& shortcut);
