#include "platform/FolderSafety.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace {

// True for the user's own private group (the group of the user's name that holds no one
// else): with the umask 002 of such systems every folder of the user is group-writable.
bool IsOwnPrivateGroup(gid_t gid) {
    if (gid != ::getegid())
        return false;
    const passwd* user = ::getpwuid(::geteuid());
    const group* entry = ::getgrgid(gid);
    return user != nullptr && entry != nullptr && std::strcmp(user->pw_name, entry->gr_name) == 0 &&
           (entry->gr_mem == nullptr || entry->gr_mem[0] == nullptr);
}

} // namespace

FolderTrust CheckFolderTrust(const std::string& folder, bool allowRootOwner) {
    struct stat info {};
    // Followed through links: what counts is the folder the program would land in.
    if (::stat(folder.c_str(), &info) != 0)
        return FolderTrust::Missing;
    if (!S_ISDIR(info.st_mode))
        return FolderTrust::NotAFolder;
    if (info.st_uid != ::geteuid() && !(allowRootOwner && info.st_uid == 0))
        return FolderTrust::OtherOwner;
    if ((info.st_mode & S_IWOTH) != 0 ||
        ((info.st_mode & S_IWGRP) != 0 && !IsOwnPrivateGroup(info.st_gid)))
        return FolderTrust::WritableByOthers;
    return FolderTrust::Trusted;
}
