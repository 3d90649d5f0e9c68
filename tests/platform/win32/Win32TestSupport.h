#pragma once

#include "platform/win32/WideText.h"
#include "tests/TempFolder.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

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

inline bool FileOrFolderExists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool MakeFolder(const std::string& path) {
    return CreateDirectoryW(Wide(path).c_str(), nullptr) != 0;
}

// A known folder's path with a trailing backslash; "" when the system has none.
inline std::string KnownFolderPath(const KNOWNFOLDERID& id) {
    PWSTR path = nullptr;
    std::string text;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)))
        text = WideToUtf8(path) + "\\";
    CoTaskMemFree(path);
    return text;
}

// A text value of HKEY_CURRENT_USER\keyPath; "<missing>" when there is none.
inline std::wstring UserRegistryText(const std::string& keyPath, const std::string& name) {
    wchar_t buffer[1024] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, Wide(keyPath).c_str(), Wide(name).c_str(), RRF_RT_REG_SZ,
                     nullptr, buffer, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return buffer;
}

// A number (REG_DWORD) of HKEY_CURRENT_USER\keyPath; 0xDEAD when there is none.
inline DWORD UserRegistryNumber(const std::string& keyPath, const std::string& name) {
    DWORD value = 0xDEAD;
    DWORD size = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, Wide(keyPath).c_str(), Wide(name).c_str(), RRF_RT_REG_DWORD,
                 nullptr, &value, &size);
    return value;
}

// A shell link's fields as the shell's own link object reads them back.
struct LinkReadBack {
    bool bLoaded = false;
    std::wstring path;      // GetPath: Wine keeps it in the ANSI code page only ('?' for the rest)
    std::wstring itemsPath; // the target from the link's item list, whole
    std::wstring arguments, workingDir, description, icon;
    int iconIndex = -1;
};

inline LinkReadBack ReadLinkWithShell(const std::string& linkPath) {
    LinkReadBack read;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(Wide(linkPath).c_str(), STGM_READ))) {
        read.bLoaded = true;
        wchar_t buffer[MAX_PATH * 2] = {};
        if (SUCCEEDED(link->GetPath(buffer, MAX_PATH * 2, nullptr, SLGP_RAWPATH)))
            read.path = buffer;
        buffer[0] = 0;
        if (SUCCEEDED(link->GetArguments(buffer, MAX_PATH * 2)))
            read.arguments = buffer;
        buffer[0] = 0;
        if (SUCCEEDED(link->GetWorkingDirectory(buffer, MAX_PATH * 2)))
            read.workingDir = buffer;
        buffer[0] = 0;
        if (SUCCEEDED(link->GetDescription(buffer, MAX_PATH * 2)))
            read.description = buffer;
        buffer[0] = 0;
        if (SUCCEEDED(link->GetIconLocation(buffer, MAX_PATH * 2, &read.iconIndex)))
            read.icon = buffer;
        buffer[0] = 0;
        PIDLIST_ABSOLUTE items = nullptr;
        if (SUCCEEDED(link->GetIDList(&items)) && items != nullptr &&
            SHGetPathFromIDListW(items, buffer))
            read.itemsPath = buffer;
        CoTaskMemFree(items);
    }
    if (file != nullptr)
        file->Release();
    if (link != nullptr)
        link->Release();
    if (SUCCEEDED(com))
        CoUninitialize();
    return read;
}
