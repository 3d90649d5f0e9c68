#include "platform/FileOps.h"
#include "platform/ModulePath.h"
#include "platform/Process.h"
#include "platform/TempFolder.h"
#include "platform/WholeFile.h"
#include "platform/XdgFolders.h"
#include "qt/setup/DesktopEntry.h"
#include "qt/setup/Installer.h"
#include "qt/setup/MessageBox.h"
#include "qt/setup/ShortcutMaker.h"
#include "settings/TextTable.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string Text(TextId id) {
    return GetText(id);
}

std::string WithoutLastCharacter(const std::string& path) {
    return path.empty() ? path : path.substr(0, path.size() - 1);
}

// Both paths name the same file or folder, symbolic links resolved.
bool SamePath(const std::string& a, const std::string& b) {
    std::error_code error;
    const fs::path first = fs::weakly_canonical(fs::u8path(a), error);
    if (error)
        return false;
    const fs::path second = fs::weakly_canonical(fs::u8path(b), error);
    return !error && first == second;
}

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::symlink_status(fs::u8path(path), error).type() != fs::file_type::not_found;
}

} // namespace

std::string CInstaller::InstalledProgramOfEntry() {
    std::string applications;
    std::string text;
    if (!CShortcutMaker().GetProgramsFolder(applications) ||
        !ReadWholeFile(applications + Text(TextId::UninstallKeyPath), text))
        return {};
    const std::string program =
        ExecProgram(DesktopEntryValue(text, Text(TextId::UninstallValueName30)));
    // Only a program of the installed name, at a full path, is the installed program.
    const size_t slash = program.rfind('/');
    if (program.empty() || program[0] != '/' ||
        program.compare(slash + 1, std::string::npos, Text(TextId::InstalledProgramName)) != 0)
        return {};
    return program;
}

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
    AddBackslash(folder);
    // Only the folder that the install made, as its uninstall entry names it, is removed; a
    // relative or empty folder would aim the deletions at the current folder.
    const std::string installed = InstalledProgramOfEntry();
    if (folder.empty() || folder.front() != '/' || installed.empty() ||
        !SamePath(installed, folder + Text(TextId::InstalledProgramName))) {
        m_strError = "Nothing was removed: Corvane Calculator is not installed in\n" + folder;
        return false;
    }
    RemoveInstallation(folder);
    if (Exists(folder + Text(TextId::InstalledProgramName))) {
        m_strError = "Corvane Calculator could not be removed from\n" + folder;
        return false;
    }
    return true;
}

bool CInstaller::HandOver() {
    // The installed program copies itself to the temporary folder and lets that copy delete
    // the installation, so that its own file is not in use while it is deleted. The folder is
    // the user's own, so no one else can put another program in the copy's place.
    std::string temp;
    const std::string copy =
        GetUserTempFolder(temp) ? temp + Text(TextId::UninstallerCopyName) : std::string();
    if (copy.empty() || !CopyProgramFile(GetModulePath(), copy, false) || !IsOwnFile(copy)) {
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
        // Only the installed program uninstalls: any other copy would remove what is not its.
        const std::string installed = CInstaller::InstalledProgramOfEntry();
        if (installed.empty() || !SamePath(installed, GetModulePath())) {
            ShowMessage("This copy of Corvane Calculator is not the installed program.\n"
                        "Nothing was changed.",
                        MessageButtons::Ok);
            return true;
        }
        if (ShowMessage("Uninstall Corvane Calculator?", MessageButtons::YesNo) ==
            MessageAnswer::Yes)
            installer.Uninstall(0, arguments);
        return true;
    }
    if (!installer.Uninstall(1, arguments)) {
        ShowMessage(installer.m_strError, MessageButtons::Ok);
        return true;
    }
    ShowMessage(Text(TextId::UninstallDoneMessage), MessageButtons::Ok);
    OpenUninstallPage();
    return true;
}

void OpenUninstallPage() {
    OpenAddress(Text(TextId::UninstalledAddress) + "?" + Text(TextId::Version));
}
