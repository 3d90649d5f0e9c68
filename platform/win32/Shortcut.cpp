#include "platform/Shortcut.h"
#include "platform/FileOps.h"
#include "platform/win32/ShellLink.h"
#include "platform/win32/WideText.h"

#include <windows.h>

std::string ShortcutFileName(const std::string& name) {
    return name + ".lnk";
}

std::string ProgramIconPath(const std::string& programPath) {
    // Shell links take the icon out of the program's own resources.
    return programPath;
}

bool ProgramIconIsSeparateFile() {
    return false;
}

bool CreateShortcut(const ShortcutSpec& shortcut, std::string* reason) {
    if (shortcut.strLinkPath.empty()) {
        if (reason != nullptr)
            *reason = "There is no folder for the shortcut.";
        return false;
    }
    ShellLinkFields fields;
    fields.strTarget = shortcut.strTarget;
    fields.strArguments = shortcut.strArguments;
    fields.strWorkingDir = shortcut.strWorkingDir;
    fields.strDescription = shortcut.strDescription;
    fields.strIconPath = shortcut.strIconPath;
    fields.nIconIndex = shortcut.nIconIndex;
    std::string error;
    if (SaveShellLink(shortcut.strLinkPath, fields, error))
        return true;
    if (reason != nullptr)
        *reason = error;
    return false;
}

bool IsShortcutTo(const std::string& linkPath, const std::string& target) {
    ShellLinkFields fields;
    std::wstring saved;
    std::wstring wanted;
    if (target.empty() || !LoadShellLink(linkPath, fields) ||
        !Utf8ToWide(fields.strTarget, saved) || !Utf8ToWide(target, wanted) || saved.empty())
        return false;
    // File names on Windows compare without regard to case.
    return CompareStringOrdinal(saved.c_str(), static_cast<int>(saved.size()), wanted.c_str(),
                                static_cast<int>(wanted.size()), TRUE) == CSTR_EQUAL;
}

bool RemoveShortcutTo(const std::string& linkPath, const std::string& target) {
    return IsShortcutTo(linkPath, target) && DeleteOneFile(linkPath);
}
