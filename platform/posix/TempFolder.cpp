#include "platform/TempFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

std::string WithSlash(std::string path) {
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

bool OwnEntry(const std::string& path, struct stat& info) {
    return ::lstat(path.c_str(), &info) == 0 && info.st_uid == ::geteuid();
}

} // namespace

bool IsOwnPrivateFolder(const std::string& path) {
    struct stat info {};
    return OwnEntry(path, info) && S_ISDIR(info.st_mode) && (info.st_mode & 077) == 0;
}

bool IsOwnFile(const std::string& path) {
    struct stat info {};
    return OwnEntry(path, info) && S_ISREG(info.st_mode) && (info.st_mode & 022) == 0;
}

bool GetOwnFolderUnder(const std::string& base, std::string& folder) {
    folder.clear();
    const std::string name = WithSlash(base) + "corvane-" + std::to_string(::geteuid());
    // mkdir never follows a symbolic link in the last part; umask can only narrow 0700.
    if (::mkdir(name.c_str(), 0700) == 0 || errno == EEXIST) {
        if (IsOwnPrivateFolder(name)) {
            folder = name + "/";
            return true;
        }
    }
    // The name is taken by something that is not ours alone: a fresh folder instead.
    std::string unique = name + "-XXXXXX";
    if (::mkdtemp(unique.data()) == nullptr || !IsOwnPrivateFolder(unique))
        return false;
    folder = unique + "/";
    return true;
}

bool GetUserTempFolder(std::string& folder) {
    for (const char* name : {"TMPDIR", "XDG_RUNTIME_DIR"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0') {
            folder = WithSlash(value);
            return true;
        }
    }
    return GetOwnFolderUnder("/tmp/", folder);
}
