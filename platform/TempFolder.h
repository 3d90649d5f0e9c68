#pragma once

#include <string>

// The current user's own folder for temporary files, as the uninstaller copy needs it: no other
// user can put anything in its place.

// The temporary root, with its trailing separator: $TMPDIR when it is set; else
// $XDG_RUNTIME_DIR; else a folder of the user's own under /tmp (see GetOwnFolderUnder). On
// Windows GetTempPathW. False and "" when none can be had. The root may be shared with other
// users: files go into MakePrivateFolderUnder's folder, never straight into it.
bool GetUserTempFolder(std::string& folder);

// The folder "corvane-<user id>" under base (which ends in a separator), made with mode 0700
// when missing. When that name is taken by anything other than a folder of the user's own
// that no one else may use (a symbolic link, a file, another user's folder, looser
// permissions), a new folder with a unique name beside it is made instead. False and "" when
// no folder could be made.
bool GetOwnFolderUnder(const std::string& base, std::string& folder);

// Makes a fresh folder prefix + a unique suffix under base (mkdtemp, mode 0700): nothing can be
// in it yet, so nothing another user planted is ever opened. folder ends in a separator. False,
// with reason (the system's words) when given, when it cannot be made.
bool MakePrivateFolderUnder(const std::string& base, const std::string& prefix, std::string& folder,
                            std::string* reason = nullptr);

// Removes earlier folders that MakePrivateFolderUnder made under base with prefix, and the one
// file fileName in each, when the folder is the user's own and private and the file is the
// user's own; except keep (a folder path as returned, or ""). Anything else is left alone.
void RemoveEarlierPrivateFolders(const std::string& base, const std::string& prefix,
                                 const std::string& fileName, const std::string& keep);

// True when path itself (not through a symbolic link) is a folder that belongs to the current
// user and that no one else may read, write or enter.
bool IsOwnPrivateFolder(const std::string& path);

// True when path itself (not through a symbolic link) is a regular file that belongs to the
// current user and that no one else may write.
bool IsOwnFile(const std::string& path);
