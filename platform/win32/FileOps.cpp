#include "platform/FileOps.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <cerrno>

namespace {

// The errno value that tells the same story as the Win32 error of a failed CreateDirectoryW.
int ErrnoOfFolderError(DWORD error) {
    switch (error) {
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        return EEXIST;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    default:
        return EIO;
    }
}

DWORD AttributesOf(const std::wstring& path) {
    return GetFileAttributesW(path.c_str());
}

bool IsFolderItself(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Where the folders of a path begin: after "C:\" or after "\\server\share\".
size_t FirstFolderStart(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':')
        return path.size() >= 3 && (path[2] == '\\' || path[2] == '/') ? 3 : 2;
    if (path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
        (path[1] == '\\' || path[1] == '/')) {
        size_t separators = 0;
        for (size_t i = 2; i < path.size(); ++i) {
            if ((path[i] == '\\' || path[i] == '/') && ++separators == 2)
                return i + 1;
        }
        return path.size();
    }
    return 0;
}

} // namespace

int CreateOneFolder(const std::string& path) {
    std::wstring wide;
    if (path.empty() || !Utf8ToWide(path, wide))
        return ENOENT;
    if (CreateDirectoryW(wide.c_str(), nullptr))
        return 0;
    return ErrnoOfFolderError(GetLastError());
}

bool DeleteOneFile(const std::string& path) {
    std::wstring wide;
    if (path.empty() || !Utf8ToWide(path, wide))
        return false;
    const DWORD attributes = AttributesOf(wide);
    // A folder (or a link to one) is never deleted here; a file link goes itself.
    if (attributes == INVALID_FILE_ATTRIBUTES || IsFolderItself(attributes))
        return false;
    return DeleteFileW(wide.c_str()) != 0;
}

bool RemoveEmptyFolder(const std::string& path) {
    std::wstring wide;
    if (path.empty() || !Utf8ToWide(path, wide) || !IsFolderItself(AttributesOf(wide)))
        return false;
    // RemoveDirectoryW refuses a folder that still holds anything, and removes a junction
    // itself rather than what it points at.
    return RemoveDirectoryW(wide.c_str()) != 0;
}

bool CreateFolderPath(const std::string& path, unsigned /*mode*/) {
    if (path.empty())
        return false;
    // New folders take the permissions their parent hands down, as Windows folders do.
    for (size_t i = FirstFolderStart(path); i <= path.size(); ++i) {
        if (i != path.size() && path[i] != '\\' && path[i] != '/')
            continue;
        const std::string partial = path.substr(0, i);
        if (partial.empty() || partial.size() <= FirstFolderStart(path))
            continue;
        const int error = CreateOneFolder(partial);
        if (error != 0 && error != EEXIST)
            return false;
    }
    std::wstring wide;
    return Utf8ToWide(path, wide) && IsFolderItself(AttributesOf(wide));
}
