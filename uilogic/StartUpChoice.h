#pragma once

#include <string>
#include <vector>

// What the program does when it starts: the uninstall its menu entry asks for, the setup
// wizard of a delivered copy (it carries the setup marker), or the calculator.
enum class StartRun { Uninstall, Setup, Calculator };

// arguments: the command line as UTF-8 texts, the program's own name first (as
// GetUtf8Arguments gives them, so that a folder name outside the ANSI code page survives).
// The uninstall switch counts only as the first argument after the program's name.
StartRun ChooseStartRun(const std::vector<std::string>& arguments, bool setupPackage);

// The arguments after the program's own name.
std::vector<std::string> ArgumentsAfterProgram(const std::vector<std::string>& arguments);

// The word the start-up tests read for a run: "uninstall", "setup" or "calculator".
const char* StartRunName(StartRun run);
