#pragma once

#include <string>

// Creates one folder (mode 0755), never its parents. Returns 0 on success, else the errno
// value (EEXIST when something of that name is already there).
int CreateOneFolder(const std::string& path);

// Deletes one file (or symbolic link); never a folder. True when it was deleted; else
// LastSystemError() says why (a folder: EISDIR, ERROR_ACCESS_DENIED).
bool DeleteOneFile(const std::string& path);

// Removes one folder, only when it is empty; never follows a symbolic link. True when removed.
bool RemoveEmptyFolder(const std::string& path);

// Creates path and any missing parent folders, with mode for the new ones (the base-directory
// convention creates a missing data folder with 0700). True when it exists afterwards.
bool CreateFolderPath(const std::string& path, unsigned mode);

// True when anything is at path (a symbolic link counts itself, even a dangling one).
bool PathExists(const std::string& path);

// True for a full path: "/..." on POSIX; "C:\...", "C:/..." or "\\server\share\..." on Windows.
bool IsAbsolutePath(const std::string& path);

// True when both paths name the same file or folder, symbolic links resolved. Paths that do
// not exist are compared in their full form (on Windows without regard to case).
bool IsSamePath(const std::string& a, const std::string& b);
