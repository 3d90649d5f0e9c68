#include "platform/FileOps.h"
#include "platform/ModulePath.h"
#include "platform/Process.h"
#include "platform/ProgramCopy.h"
#include "platform/Shortcut.h"
#include "platform/SystemError.h"
#include "platform/TempFolder.h"
#include "platform/UninstallRegistration.h"
#include "settings/TextTable.h"
#include "setuplogic/Installer.h"
#include "setuplogic/SetupPrompt.h"
#include "setuplogic/ShortcutMaker.h"

namespace {

// Each hand-over copy lies in a fresh folder of this prefix under the temporary root.
constexpr const char* kCopyFolderPrefix = "corvane-uninstall-";

// How long the removal stage waits for the installed program's process to end.
constexpr unsigned kStarterWaitMs = 30000;

std::string Text(TextId id) {
    return GetText(id);
}

std::string WithoutLastCharacter(const std::string& path) {
    return path.empty() ? path : path.substr(0, path.size() - 1);
}

// The file name after the last separator.
std::string LeafOf(const std::string& path) {
    size_t start = path.size();
    while (start > 0 && !IsPathSeparator(path[start - 1]))
        --start;
    return path.substr(start);
}

} // namespace

std::string CInstaller::InstalledProgramOfEntry() {
    const std::string program = RegisteredUninstallProgram(Text(TextId::UninstallKeyPath),
                                                           Text(TextId::UninstallValueName30));
    // Only a program of the installed name, at a full path, is the installed program.
    if (program.empty() || !IsAbsolutePath(program) ||
        LeafOf(program) != Text(TextId::InstalledProgramName))
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
    if (folder.empty() || !IsAbsolutePath(folder) || installed.empty() ||
        !IsSamePath(installed, folder + Text(TextId::InstalledProgramName))) {
        m_strError = "Nothing was removed: Corvane Calculator is not installed in\n" + folder;
        return false;
    }
    WaitForStarterToEnd(kStarterWaitMs);
    // The program goes first. One still in use (the calculator left running) cannot be deleted
    // on Windows: then nothing else goes either, so that the links, the settings and the entry
    // stay and the uninstall can be run again once it has ended.
    const std::string program = folder + Text(TextId::InstalledProgramName);
    if (!DeleteOneFile(program)) {
        const int error = LastSystemError();
        if (PathExists(program)) {
            m_strError = "Corvane Calculator could not be removed from\n" + folder + "\n" +
                         SystemErrorText(error) +
                         "\nIf Corvane Calculator is running, close it and uninstall it again.";
            return false;
        }
    }
    RemoveInstallation(folder);
    if (PathExists(folder + Text(TextId::InstalledProgramName))) {
        m_strError = "Corvane Calculator could not be removed from\n" + folder;
        return false;
    }
    return true;
}

bool CInstaller::HandOver() {
    // The installed program copies itself to a fresh private folder under the temporary root
    // and lets that copy delete the installation, so that its own file is not in use while it
    // is deleted. The folder is new and the user's alone, so nothing another user put into a
    // shared temporary folder is ever opened, and no one can swap the copy before it starts.
    m_strError = "unistall failed";
    std::string root;
    std::string folder;
    std::string reason = "There is no temporary folder.";
    if (!GetUserTempFolder(root) ||
        !MakePrivateFolderUnder(root, kCopyFolderPrefix, folder, &reason)) {
        m_strError += "\n" + reason;
        return false;
    }
    // Copies of earlier uninstalls of this user do not pile up.
    RemoveEarlierPrivateFolders(root, kCopyFolderPrefix, Text(TextId::UninstallerCopyName), folder);
    const std::string copy = folder + Text(TextId::UninstallerCopyName);
    if (!::CopyProgramFile(GetModulePath(), copy, false, &reason)) {
        m_strError += "\n" + reason;
        RemoveEmptyFolder(WithoutLastCharacter(folder));
        return false;
    }
    if (SpawnDetached(copy, {Text(TextId::UninstallSwitch), GetModuleFolder()}, &reason))
        EndProcessNow(0);
    m_strError += "\nThe uninstaller could not be started:\n" + copy + "\n" + reason;
    DeleteOneFile(copy);
    RemoveEmptyFolder(WithoutLastCharacter(folder));
    return false;
}

void CInstaller::RemoveInstallation(const std::string& folder) {
    // Only the files that Install made are deleted, and folders only when empty; no step's
    // failure stops the next one.
    const std::string program = folder + Text(TextId::InstalledProgramName);
    DeleteOneFile(program);
    DeleteOneFile(folder + Text(TextId::SettingsFileName));
    if (ProgramIconIsSeparateFile())
        DeleteOneFile(ProgramIconPath(program));

    // A shortcut goes only when it is one to the installed program: a file of the user's own
    // under the same name stays (the desktop icon is optional).
    const CShortcutMaker shortcuts;
    const std::string name = Text(TextId::ShortcutName);
    const ShortcutSpec desktop = shortcuts.PrepareDesktopLink(program, name);
    if (!desktop.strLinkPath.empty())
        RemoveShortcutTo(desktop.strLinkPath, program);

    const ShortcutSpec programs =
        shortcuts.PrepareProgramsLink(program, name, Text(TextId::ProgramsGroupName), "");
    if (!programs.strLinkPath.empty())
        RemoveShortcutTo(programs.strLinkPath, program);

    // On Linux the registration lives in the group folder, so it goes before that folder.
    RemoveUninstallRegistration(Text(TextId::UninstallKeyPath));

    if (!programs.strFolder.empty())
        RemoveEmptyFolder(WithoutLastCharacter(programs.strFolder));
    RemoveEmptyFolder(WithoutLastCharacter(folder));
}

bool CheckUninstallRequest(const std::vector<std::string>& arguments, SetupPrompt& prompt,
                           int& exitCode) {
    exitCode = 0;
    if (arguments.empty() || arguments[0] != Text(TextId::UninstallSwitch))
        return false;
    CInstaller installer;
    if (arguments.size() == 1) {
        // Only the installed program uninstalls: any other copy would remove what is not its.
        const std::string installed = CInstaller::InstalledProgramOfEntry();
        if (installed.empty() || !IsSamePath(installed, GetModulePath())) {
            prompt.ShowMessage("This copy of Corvane Calculator is not the installed program.\n"
                               "Nothing was changed.",
                               PromptButtons::Ok);
            return true;
        }
        if (prompt.ShowMessage("Uninstall Corvane Calculator?", PromptButtons::YesNo) ==
                PromptAnswer::Yes &&
            !installer.Uninstall(0, arguments)) {
            // The hand-over returns only when it failed.
            prompt.ShowMessage(installer.m_strError, PromptButtons::Ok);
            exitCode = 1;
        }
        return true;
    }
    if (!installer.Uninstall(1, arguments)) {
        prompt.ShowMessage(installer.m_strError, PromptButtons::Ok);
        exitCode = 1;
        return true;
    }
    prompt.ShowMessage(Text(TextId::UninstallDoneMessage), PromptButtons::Ok);
    OpenUninstallPage(prompt);
    return true;
}

void OpenUninstallPage(SetupPrompt& prompt) {
    prompt.OpenAddress(Text(TextId::UninstalledAddress) + "?" + Text(TextId::Version));
}
