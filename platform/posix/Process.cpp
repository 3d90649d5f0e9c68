#include "platform/Process.h"

#include <spawn.h>
#include <sys/types.h>

#include <cstdlib>
#include <cstring>

extern char** environ;

bool SpawnDetached(const std::string& program, const std::vector<std::string>& arguments,
                   std::string* reason) {
    std::vector<std::string> strings;
    strings.reserve(arguments.size() + 1);
    strings.push_back(program);
    strings.insert(strings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    posix_spawnattr_t attributes;
    posix_spawn_file_actions_t actions;
    if (posix_spawnattr_init(&attributes) != 0)
        return false;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        posix_spawnattr_destroy(&attributes);
        return false;
    }
    // A session of its own, so that the new process outlives this one and its terminal; and
    // none of this process's descriptors besides the standard three, so that whatever waits
    // on the other ends (the page view's helper processes) ends with this process.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    pid_t pid = 0;
    // glibc reports a failed exec (ENOENT, EACCES on a noexec mount) as the result itself.
    const int result =
        posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (result != 0 && reason != nullptr)
        *reason = std::strerror(result);
    return result == 0;
}

void EndProcessNow(int exitCode) {
    std::_Exit(exitCode);
}

void WaitForStarterToEnd(unsigned /*timeoutMs*/) {
    // A running program's file can be unlinked on POSIX: nothing to wait for.
}
