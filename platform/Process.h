#pragma once

#include <string>
#include <vector>

// Starts program with the given arguments (not counting the program name) as a new process
// in its own session, with the current environment, and does not wait for it. True once the
// program is running.
bool SpawnDetached(const std::string& program, const std::vector<std::string>& arguments);

// Ends the current process at once with exit code 0, without any clean-up.
[[noreturn]] void EndProcessNow();
