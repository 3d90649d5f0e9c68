#include "platform/FolderSafety.h"

#include <sys/stat.h>
#include <unistd.h>

FolderTrust CheckFolderTrust(const std::string& folder, bool allowRootOwner) {
    struct stat info {};
    // Followed through links: what counts is the folder the program would land in.
    if (::stat(folder.c_str(), &info) != 0)
        return FolderTrust::Missing;
    if (!S_ISDIR(info.st_mode))
        return FolderTrust::NotAFolder;
    if (info.st_uid != ::geteuid() && !(allowRootOwner && info.st_uid == 0))
        return FolderTrust::OtherOwner;
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return FolderTrust::WritableByOthers;
    return FolderTrust::Trusted;
}
