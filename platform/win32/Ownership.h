#pragma once

#include <string>
#include <vector>

// Who owns a file or folder and who else may change it, read from its security descriptor.

struct OwnershipInfo {
    bool bExists = false;
    bool bFolder = false;
    bool bReparsePoint = false;   // a symbolic link or junction, not followed
    bool bOwnedByUser = false;    // the owner is the current user
    bool bOwnedByAdmins = false;  // the owner is SYSTEM or the Administrators group
    bool bOthersMayWrite = false; // some other account may write, add, delete or change rights
    bool bOthersMayRead = false;  // some other account may read or list it
};

// Reads the facts for path (UTF-8). With follow, a link is looked through to what it names;
// without, the link itself is read.
OwnershipInfo ReadOwnership(const std::string& path, bool follow);

// Makes one new folder that only the current user (and SYSTEM, which can anyway) may use: its
// access list is protected from its parent's. False, with the system's error code in error,
// when it cannot be made (ERROR_ALREADY_EXISTS when the name is taken).
bool CreatePrivateFolder(const std::string& path, unsigned long& error);
