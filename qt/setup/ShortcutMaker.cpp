#include "qt/setup/ShortcutMaker.h"

#include "platform/ModulePath.h"
#include "platform/WholeFile.h"
#include "platform/XdgFolders.h"
#include "qt/setup/DesktopEntry.h"

namespace {

ShortcutSpec FillSpec(std::string folder, const std::string& target, const std::string& name) {
    ShortcutSpec shortcut;
    AddBackslash(folder);
    shortcut.strFolder = folder;
    shortcut.strTarget = target;
    shortcut.strDescription = name;
    const size_t slash = target.rfind('/');
    shortcut.strWorkingDir = slash == std::string::npos ? std::string() : target.substr(0, slash);
    shortcut.strIconPath = ProgramIconPath(target);
    shortcut.nIconIndex = 0;
    // Without a folder there is no place for the link; an empty path keeps it from being made
    // (or deleted) relative to the current folder.
    shortcut.strLinkPath = folder.empty() ? std::string() : folder + name + ".desktop";
    return shortcut;
}

} // namespace

std::string ProgramIconPath(const std::string& programPath) {
    return programPath + ".png";
}

bool CShortcutMaker::GetDesktopFolder(std::string& folder) const {
    return ::GetDesktopFolder(folder);
}

bool CShortcutMaker::GetProgramsFolder(std::string& folder) const {
    return GetApplicationsFolder(folder);
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

std::string CShortcutMaker::LinkText(const ShortcutSpec& shortcut) {
    std::string exec = QuoteExecArgument(shortcut.strTarget);
    if (!shortcut.strArguments.empty())
        exec += " " + shortcut.strArguments;
    exec = ExecLineFor(shortcut.strTarget, exec);
    return FormatDesktopEntry({
        {"Type", "Application"},
        {"Name", EscapeDesktopValue(shortcut.strDescription)},
        {"Comment", EscapeDesktopValue(shortcut.strDescription)},
        {"Exec", EscapeDesktopValue(exec)},
        {"Path", EscapeDesktopValue(shortcut.strWorkingDir)},
        {"Icon", EscapeDesktopValue(shortcut.strIconPath)},
        {"Terminal", "false"},
        {"Categories", kDesktopCategories},
    });
}

bool CShortcutMaker::CreateLink(const ShortcutSpec& shortcut) const {
    if (shortcut.strLinkPath.empty())
        return false;
    return WriteWholeFile(shortcut.strLinkPath, LinkText(shortcut), 0755);
}
