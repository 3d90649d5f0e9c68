#include "platform/Process.h"

#include <spawn.h>
#include <sys/types.h>

#include <cstdlib>

extern char** environ;

bool SpawnDetached(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> strings;
    strings.reserve(arguments.size() + 1);
    strings.push_back(program);
    strings.insert(strings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0)
        return false;
    // A session of its own, so that the new process outlives this one and its terminal.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    // glibc reports a failed exec as the result of posix_spawn itself.
    const int result =
        posix_spawn(&pid, program.c_str(), nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    return result == 0;
}

void EndProcessNow() {
    std::_Exit(0);
}
