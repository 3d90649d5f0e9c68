#pragma once

#include <string>
#include <vector>

// The program's arguments as UTF-8 texts, argv[0] first. POSIX passes them as they are; on
// Windows they are read again from the wide command line, since main's argv holds them in the
// ANSI code page, which cannot hold every name.
std::vector<std::string> GetUtf8Arguments(int argc, char* argv[]);

// The same for a program that is handed no argv (a Windows program's wWinMain): read from the
// process's own command line.
std::vector<std::string> GetUtf8Arguments();
