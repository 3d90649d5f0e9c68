#include "platform/TempFolder.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

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

bool MakePrivateFolderUnder(const std::string& base, const std::string& prefix, std::string& folder,
                            std::string* reason) {
    folder.clear();
    std::string pattern = WithSlash(base) + prefix + "XXXXXX";
    // mkdtemp makes a new folder with mode 0700 or fails; nothing can be in it yet.
    if (::mkdtemp(pattern.data()) == nullptr) {
        if (reason != nullptr)
            *reason = std::strerror(errno);
        return false;
    }
    folder = pattern + "/";
    return true;
}

void RemoveEarlierPrivateFolders(const std::string& base, const std::string& prefix,
                                 const std::string& fileName, const std::string& keep) {
    const std::string root = WithSlash(base);
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(root.c_str()), &::closedir);
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        // Only names that mkdtemp gave: the prefix and six more characters.
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string folder = root + name;
        if (folder + "/" == keep || folder == keep || !IsOwnPrivateFolder(folder))
            continue;
        // Nobody else can have put anything into a private folder of ours.
        const std::string file = folder + "/" + fileName;
        if (IsOwnFile(file))
            ::unlink(file.c_str());
        ::rmdir(folder.c_str()); // only when nothing else is left in it
    }
}
