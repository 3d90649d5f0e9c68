#pragma once

#include <string>

// Whether a folder may hold the installed program: no other user may own it or write into it,
// since whoever can replace the program there runs code as the user who starts it.
// POSIX: owned by the current user (a base folder may also be root's) and not writable by
// others, nor by its group unless that is the user's own private group. Windows: the
// implementation's own check of the folder's owner and access.

enum class FolderTrust { Trusted, Missing, OtherOwner, WritableByOthers, NotAFolder };

// folder (a trailing separator is allowed) followed through symbolic links. allowRootOwner lets
// a folder of the administrator's count as safe (a base folder such as /opt).
FolderTrust CheckFolderTrust(const std::string& folder, bool allowRootOwner);
