#include "platform/FolderSafety.h"
#include "platform/win32/Ownership.h"

FolderTrust CheckFolderTrust(const std::string& folder, bool allowRootOwner) {
    // Followed through links: what counts is the folder the program would land in.
    const OwnershipInfo info = ReadOwnership(folder, true);
    if (!info.bExists)
        return FolderTrust::Missing;
    if (!info.bFolder)
        return FolderTrust::NotAFolder;
    if (!info.bOwnedByUser && !(allowRootOwner && info.bOwnedByAdmins))
        return FolderTrust::OtherOwner;
    if (info.bOthersMayWrite)
        return FolderTrust::WritableByOthers;
    return FolderTrust::Trusted;
}
