#include "platform/FileOps.h"
#include "platform/ModulePath.h"
#include "platform/Process.h"
#include "platform/XdgFolders.h"
#include "settings/TextTable.h"
#include "setup/Installer.h"
#include "setup/MessageBox.h"
#include "setup/ShortcutMaker.h"

namespace {

std::string Text(TextId id) {
    return GetText(id);
}

std::string WithoutLastCharacter(const std::string& path) {
    return path.empty() ? path : path.substr(0, path.size() - 1);
}

} // namespace

bool CInstaller::Uninstall(int stage, const std::vector<std::string>& arguments) {
    if (stage == 0)
        return HandOver();

    if (arguments.size() < 2)
        return false;
    std::string folder = arguments[1];
    while (!folder.empty() && folder.front() == '"')
        folder.erase(0, 1);
    while (!folder.empty() && folder.back() == '"')
        folder.pop_back();
    // A relative or empty folder would aim the deletions at the current folder.
    if (folder.empty() || folder.front() != '/')
        return false;
    AddBackslash(folder);
    RemoveInstallation(folder);
    return true;
}

bool CInstaller::HandOver() {
    // The installed program copies itself to the temporary folder and lets that copy delete
    // the installation, so that its own file is not in use while it is deleted.
    const std::string module = GetModulePath();
    const std::string copy = GetTempFolder() + Text(TextId::UninstallerCopyName);
    if (!CopyProgramFile(module, copy, false)) {
        ShowMessage("unistall failed", MessageButtons::Ok);
        // Whatever else lies under that name is never started.
        return true;
    }
    if (SpawnDetached(copy, {Text(TextId::UninstallSwitch), GetModuleFolder()}))
        EndProcessNow();
    return true;
}

void CInstaller::RemoveInstallation(const std::string& folder) {
    // Only the files that Install made are deleted, and folders only when empty; no step's
    // failure stops the next one.
    const std::string program = folder + Text(TextId::InstalledProgramName);
    DeleteOneFile(program);
    DeleteOneFile(folder + Text(TextId::SettingsFileName));
    DeleteOneFile(ProgramIconPath(program));

    const CShortcutMaker shortcuts;
    const std::string name = Text(TextId::ShortcutName);
    const ShortcutSpec desktop = shortcuts.PrepareDesktopLink(program, name);
    if (!desktop.strLinkPath.empty())
        DeleteOneFile(desktop.strLinkPath);

    const ShortcutSpec programs =
        shortcuts.PrepareProgramsLink(program, name, Text(TextId::ProgramsGroupName), "");
    if (!programs.strLinkPath.empty())
        DeleteOneFile(programs.strLinkPath);

    // The registration lives in the group folder, so it goes before that folder is removed.
    std::string applications;
    if (shortcuts.GetProgramsFolder(applications))
        DeleteOneFile(applications + Text(TextId::UninstallKeyPath));

    if (!programs.strFolder.empty())
        RemoveEmptyFolder(WithoutLastCharacter(programs.strFolder));
    RemoveEmptyFolder(WithoutLastCharacter(folder));
}

bool CheckUninstallRequest(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments[0] != Text(TextId::UninstallSwitch))
        return false;
    CInstaller installer;
    if (arguments.size() == 1) {
        if (ShowMessage("Uninstall Corvane Calculator?", MessageButtons::YesNo) ==
            MessageAnswer::Yes)
            installer.Uninstall(0, arguments);
        return true;
    }
    installer.Uninstall(1, arguments);
    ShowMessage(Text(TextId::UninstallDoneMessage), MessageButtons::Ok);
    OpenUninstallPage();
    return true;
}

void OpenUninstallPage() {
    OpenAddress(Text(TextId::UninstalledAddress) + "?" + Text(TextId::Version));
}
