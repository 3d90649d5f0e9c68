#include "platform/FileOps.h"
#include "platform/ModulePath.h"
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

// The volume and file index of an existing file or folder, links followed.
bool ReadFileIdentity(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
    // No access is asked for: a program in use, or a folder, opens all the same.
    const HANDLE file =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool read = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    return read;
}

// The full form of a path ("." and ".." resolved, '/' as '\'), or "" when it has none.
std::wstring FullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return {};
    std::wstring full(size, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
    if (written == 0 || written >= size)
        return {};
    full.resize(written);
    while (full.size() > 3 && full.back() == L'\\')
        full.pop_back();
    return full;
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
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    if (IsFolderItself(attributes)) {
        SetLastError(ERROR_ACCESS_DENIED); // as DeleteFileW says of a folder
        return false;
    }
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

bool PathExists(const std::string& path) {
    std::wstring wide;
    return !path.empty() && Utf8ToWide(path, wide) && AttributesOf(wide) != INVALID_FILE_ATTRIBUTES;
}

bool IsAbsolutePath(const std::string& path) {
    const bool driveRoot = path.size() >= 3 && path[1] == ':' && IsPathSeparator(path[2]);
    const bool share = path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]);
    return driveRoot || share;
}

bool IsSamePath(const std::string& a, const std::string& b) {
    std::wstring first;
    std::wstring second;
    if (a.empty() || b.empty() || !Utf8ToWide(a, first) || !Utf8ToWide(b, second))
        return false;
    BY_HANDLE_FILE_INFORMATION one{};
    BY_HANDLE_FILE_INFORMATION other{};
    const bool firstThere = ReadFileIdentity(first, one);
    const bool secondThere = ReadFileIdentity(second, other);
    if (firstThere && secondThere)
        return one.dwVolumeSerialNumber == other.dwVolumeSerialNumber &&
               one.nFileIndexHigh == other.nFileIndexHigh &&
               one.nFileIndexLow == other.nFileIndexLow;
    if (firstThere || secondThere)
        return false;
    const std::wstring fullFirst = FullPath(first);
    const std::wstring fullSecond = FullPath(second);
    return !fullFirst.empty() &&
           CompareStringOrdinal(fullFirst.c_str(), static_cast<int>(fullFirst.size()),
                                fullSecond.c_str(), static_cast<int>(fullSecond.size()),
                                TRUE) == CSTR_EQUAL;
}
