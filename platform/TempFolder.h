#pragma once

#include <string>

// The current user's own folder for temporary files, as the uninstaller copy needs it: no other
// user can put anything in its place.

// The folder, with its trailing separator: $TMPDIR when it is set; else $XDG_RUNTIME_DIR; else
// a folder of the user's own under /tmp (see GetOwnFolderUnder). False and "" when none can be
// had.
bool GetUserTempFolder(std::string& folder);

// The folder "corvane-<user id>" under base (which ends in a separator), made with mode 0700
// when missing. When that name is taken by anything other than a folder of the user's own
// that no one else may use (a symbolic link, a file, another user's folder, looser
// permissions), a new folder with a unique name beside it is made instead. False and "" when
// no folder could be made.
bool GetOwnFolderUnder(const std::string& base, std::string& folder);

// True when path itself (not through a symbolic link) is a folder that belongs to the current
// user and that no one else may read, write or enter.
bool IsOwnPrivateFolder(const std::string& path);

// True when path itself (not through a symbolic link) is a regular file that belongs to the
// current user and that no one else may write.
bool IsOwnFile(const std::string& path);
