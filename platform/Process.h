#pragma once

#include <string>
#include <vector>

// Starts program with the given arguments (not counting the program name) as a new process
// in its own session, with the current environment, and does not wait for it. The new process
// inherits no descriptors or handles of this one besides standard input, output and error
// (close-on-exec for everything else; bInheritHandles FALSE on Windows), so that helpers that
// hold this process's pipes end with it. True once the program is running; false, with
// reason (the system's words) when given, when it cannot be started (missing, not a program,
// on a noexec mount, ...).
bool SpawnDetached(const std::string& program, const std::vector<std::string>& arguments,
                   std::string* reason = nullptr);

// Ends the current process at once with exitCode, without any clean-up.
[[noreturn]] void EndProcessNow(int exitCode = 0);

// The removal stage runs in a copy that the installed program started before it ended. Waits
// (on Windows, on the starting process's handle, up to timeoutMs) until that process has
// ended, so that its program file can be deleted. Returns at once where a running program's
// file can be deleted anyway (POSIX).
void WaitForStarterToEnd(unsigned timeoutMs);
