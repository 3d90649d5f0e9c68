#pragma once

#include "platform/win32/WideText.h"
#include "tests/TempFolder.h"

#include <windows.h>

#include <string>

// Helpers of the Win32 platform tests. Paths are UTF-8 with backslashes, as setup makes them.

// A name with letters outside every ANSI code page, a space and an accent.
inline const std::string kOddName = "Z\xc3\xbcrich \xe8\xa8\x88\xe7\xae\x97";

// The scratch folder's path with backslashes and no trailing one.
inline std::string WinPath(const TempFolder& temp) {
    std::string path = temp.Path();
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

inline std::wstring Wide(const std::string& utf8) {
    std::wstring wide;
    Utf8ToWide(utf8, wide);
    return wide;
}

inline bool FileOrFolderExists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool MakeFolder(const std::string& path) {
    return CreateDirectoryW(Wide(path).c_str(), nullptr) != 0;
}
