#include "setup/ShortcutMaker.h"

#include "platform/FileOps.h"
#include "platform/ModulePath.h"
#include "platform/XdgFolders.h"
#include "setup/DesktopEntry.h"

namespace {

ShortcutSpec FillSpec(std::string folder, const std::string& target, const std::string& name) {
    ShortcutSpec spec;
    AddBackslash(folder);
    spec.strFolder = folder;
    spec.strTarget = target;
    spec.strDescription = name;
    const size_t slash = target.rfind('/');
    spec.strWorkingDir = slash == std::string::npos ? std::string() : target.substr(0, slash);
    spec.strIconPath = ProgramIconPath(target);
    spec.nIconIndex = 0;
    // Without a folder there is no place for the link; an empty path keeps it from being made
    // (or deleted) relative to the current folder.
    spec.strLinkPath = folder.empty() ? std::string() : folder + name + ".desktop";
    return spec;
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
    ShortcutSpec spec = FillSpec(folder, target, name);
    spec.strArguments = arguments;
    return spec;
}

std::string CShortcutMaker::LinkText(const ShortcutSpec& spec) {
    std::string exec = QuoteExecArgument(spec.strTarget);
    if (!spec.strArguments.empty())
        exec += " " + spec.strArguments;
    return FormatDesktopEntry({
        {"Type", "Application"},
        {"Name", EscapeDesktopValue(spec.strDescription)},
        {"Comment", EscapeDesktopValue(spec.strDescription)},
        {"Exec", EscapeDesktopValue(exec)},
        {"Path", EscapeDesktopValue(spec.strWorkingDir)},
        {"Icon", EscapeDesktopValue(spec.strIconPath)},
        {"Terminal", "false"},
    });
}

bool CShortcutMaker::CreateLink(const ShortcutSpec& spec) const {
    if (spec.strLinkPath.empty())
        return false;
    return WriteWholeFile(spec.strLinkPath, LinkText(spec), 0755);
}
