#include "platform/KnownFolders.h"
#include "platform/win32/ComScope.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace {

// The path of one of the user's known folders, with a trailing backslash. The folder need not
// exist yet (a fresh account has no Programs folder under LocalAppData): the installer makes
// it. Read through SHGetKnownFolderPath, never the old Shell Folders key.
bool KnownFolderPath(const KNOWNFOLDERID& id, std::string& folder) {
    folder.clear();
    CoTaskText path;
    if (FAILED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, path.Out())) ||
        path.Get() == nullptr || path.Get()[0] == L'\0')
        return false;
    folder = WideToUtf8(path.Get());
    if (folder.empty())
        return false;
    if (folder.back() != '\\')
        folder += '\\';
    return true;
}

} // namespace

bool GetInstallBaseFolder(std::string& folder) {
    // Programs for this user alone go to %LOCALAPPDATA%\Programs, which the user may write
    // without elevation. Wine 8 does not know FOLDERID_UserProgramFiles.
    if (KnownFolderPath(FOLDERID_UserProgramFiles, folder))
        return true;
    if (!KnownFolderPath(FOLDERID_LocalAppData, folder))
        return false;
    folder += "Programs\\";
    return true;
}

bool GetDesktopShortcutFolder(std::string& folder) {
    return KnownFolderPath(FOLDERID_Desktop, folder);
}

bool GetProgramsShortcutFolder(std::string& folder) {
    return KnownFolderPath(FOLDERID_Programs, folder);
}
