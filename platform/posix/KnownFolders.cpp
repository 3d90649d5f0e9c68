#include "platform/KnownFolders.h"

#include "platform/XdgFolders.h"

bool GetInstallBaseFolder(std::string& folder) {
    return GetDataHomeFolder(folder);
}

bool GetDesktopShortcutFolder(std::string& folder) {
    return GetDesktopFolder(folder);
}

bool GetProgramsShortcutFolder(std::string& folder) {
    return GetApplicationsFolder(folder);
}
