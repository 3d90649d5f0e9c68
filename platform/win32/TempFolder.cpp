#include "platform/TempFolder.h"
#include "platform/SystemError.h"
#include "platform/win32/Ownership.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <random>

namespace {

std::string WithBackslash(std::string path) {
    if (!path.empty() && path.back() != '\\' && path.back() != '/')
        path += '\\';
    return path;
}

// Six characters of the same alphabet mkdtemp uses.
std::string RandomSuffix() {
    static const char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::string suffix;
    for (int i = 0; i < 6; ++i)
        suffix += kAlphabet[random() % (sizeof kAlphabet - 1)];
    return suffix;
}

std::string WithoutBackslash(std::string path) {
    while (!path.empty() && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    return path;
}

} // namespace

bool IsOwnPrivateFolder(const std::string& path) {
    const OwnershipInfo info = ReadOwnership(path, false);
    return info.bExists && info.bFolder && !info.bReparsePoint && info.bOwnedByUser &&
           !info.bOthersMayWrite && !info.bOthersMayRead;
}

bool IsOwnFile(const std::string& path) {
    const OwnershipInfo info = ReadOwnership(path, false);
    return info.bExists && !info.bFolder && !info.bReparsePoint && info.bOwnedByUser &&
           !info.bOthersMayWrite;
}

bool MakePrivateFolderUnder(const std::string& base, const std::string& prefix, std::string& folder,
                            std::string* reason) {
    folder.clear();
    const std::string root = WithBackslash(base);
    unsigned long error = ERROR_SUCCESS;
    // A new name each time, made or failed in one step: nothing can be in it yet.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = root + prefix + RandomSuffix();
        if (CreatePrivateFolder(candidate, error)) {
            folder = candidate + "\\";
            return true;
        }
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS)
            break;
    }
    if (reason != nullptr)
        *reason = SystemErrorText(static_cast<int>(error));
    return false;
}

bool GetOwnFolderUnder(const std::string& base, std::string& folder) {
    folder.clear();
    const std::string name = WithBackslash(base) + "corvane-private";
    unsigned long error = ERROR_SUCCESS;
    if (CreatePrivateFolder(name, error) ||
        (error == ERROR_ALREADY_EXISTS && IsOwnPrivateFolder(name))) {
        folder = name + "\\";
        return true;
    }
    // The name is taken by something that is not ours alone: a fresh folder instead.
    return MakePrivateFolderUnder(base, "corvane-private-", folder);
}

bool GetUserTempFolder(std::string& folder) {
    folder.clear();
    // GetTempPathW gives the user's own %TEMP% (under the profile), or the Windows folder.
    std::wstring buffer(MAX_PATH + 1, L'\0');
    DWORD length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length > buffer.size()) {
        buffer.assign(length, L'\0');
        length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    }
    if (length == 0 || length > buffer.size()) {
        length = GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0 || length > buffer.size())
            return false;
    }
    buffer.resize(length);
    folder = WithBackslash(WideToUtf8(buffer));
    return !folder.empty();
}

void RemoveEarlierPrivateFolders(const std::string& base, const std::string& prefix,
                                 const std::string& fileName, const std::string& keep) {
    const std::string root = WithBackslash(base);
    std::wstring pattern;
    if (!Utf8ToWide(root + prefix + "*", pattern))
        return;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    const std::string kept = WithoutBackslash(keep);
    do {
        const std::string name = WideToUtf8(found.cFileName);
        // Only names that MakePrivateFolderUnder gave: the prefix and six more characters.
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string folder = root + name;
        if (folder == kept || !IsOwnPrivateFolder(folder))
            continue;
        const std::string file = folder + "\\" + fileName;
        std::wstring wideFile;
        std::wstring wideFolder;
        if (IsOwnFile(file) && Utf8ToWide(file, wideFile))
            DeleteFileW(wideFile.c_str());
        if (Utf8ToWide(folder, wideFolder))
            RemoveDirectoryW(wideFolder.c_str()); // only when nothing else is left in it
    } while (FindNextFileW(search, &found));
    FindClose(search);
}
