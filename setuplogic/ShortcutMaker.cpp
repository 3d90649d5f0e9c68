#include "setuplogic/ShortcutMaker.h"

#include "platform/KnownFolders.h"
#include "platform/ModulePath.h"

namespace {

ShortcutSpec FillSpec(std::string folder, const std::string& target, const std::string& name) {
    ShortcutSpec shortcut;
    AddBackslash(folder);
    shortcut.strFolder = folder;
    shortcut.strTarget = target;
    shortcut.strDescription = name;
    size_t separator = target.size();
    while (separator > 0 && !IsPathSeparator(target[separator - 1]))
        --separator;
    shortcut.strWorkingDir = separator == 0 ? std::string() : target.substr(0, separator - 1);
    shortcut.strIconPath = ProgramIconPath(target);
    shortcut.nIconIndex = 0;
    // Without a folder there is no place for the link; an empty path keeps it from being made
    // (or deleted) relative to the current folder.
    shortcut.strLinkPath = folder.empty() ? std::string() : folder + ShortcutFileName(name);
    return shortcut;
}

} // namespace

bool CShortcutMaker::GetDesktopFolder(std::string& folder) const {
    return GetDesktopShortcutFolder(folder);
}

bool CShortcutMaker::GetProgramsFolder(std::string& folder) const {
    return GetProgramsShortcutFolder(folder);
}

ShortcutSpec CShortcutMaker::PrepareDesktopLink(const std::string& target,
                                                const std::string& name) const {
    std::string folder;
    GetDesktopFolder(folder);
    return FillSpec(folder, target, name);
}

ShortcutSpec CShortcutMaker::PrepareProgramsLink(const std::string& target, const std::string& name,
                                                 const std::string& group,
                                                 const std::string& arguments) const {
    std::string folder;
    if (GetProgramsFolder(folder))
        folder += group;
    ShortcutSpec shortcut = FillSpec(folder, target, name);
    shortcut.strArguments = arguments;
    return shortcut;
}

bool CShortcutMaker::CreateLink(const ShortcutSpec& shortcut, std::string* reason) const {
    return CreateShortcut(shortcut, reason);
}
