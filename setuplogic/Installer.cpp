#include "setuplogic/Installer.h"

#include "platform/FileOps.h"
#include "platform/FolderSafety.h"
#include "platform/KnownFolders.h"
#include "platform/ModulePath.h"
#include "platform/Process.h"
#include "platform/ProgramCopy.h"
#include "platform/Shortcut.h"
#include "platform/SystemError.h"
#include "platform/UninstallRegistration.h"
#include "platform/WholeFile.h"
#include "settings/TextTable.h"
#include "setuplogic/ProgramIconPicture.h"
#include "setuplogic/SetupPrompt.h"
#include "setuplogic/ShortcutMaker.h"

#include <cerrno>

namespace {

std::string Text(TextId id) {
    return GetText(id);
}

// The sentence that says why a folder cannot take the program; "" for a trusted one.
std::string TrustProblem(FolderTrust trust) {
    switch (trust) {
    case FolderTrust::OtherOwner:
        return "The folder belongs to another user.";
    case FolderTrust::WritableByOthers:
        return "Other users can write to the folder, so they could replace the program.";
    case FolderTrust::NotAFolder: // creating or copying into it fails and says so
    case FolderTrust::Trusted:
    case FolderTrust::Missing:
        break;
    }
    return {};
}

} // namespace

CInstaller::CInstaller() : m_strSubFolder("Corvane") {
    AddBackslash(m_strSubFolder);
    SetBaseFolder(DefaultBaseFolder());
}

std::string CInstaller::DefaultBaseFolder() {
    std::string base;
    if (GetInstallBaseFolder(base))
        return base;
    return PathSeparator() == '/' ? "/opt/" : "C:\\Program Files\\";
}

void CInstaller::SetBaseFolder(const std::string& base) {
    m_strFolder = base + m_strSubFolder;
}

std::string CInstaller::BaseFolder() const {
    return m_strFolder.substr(0, m_strFolder.size() - m_strSubFolder.size());
}

bool CInstaller::BrowseFolder(SetupPrompt& prompt) {
    std::string chosen;
    if (!prompt.BrowseForFolder(BaseFolder(), chosen) || chosen.empty())
        return false; // cancelled
    AddBackslash(chosen);
    SetBaseFolder(chosen);
    return true;
}

std::string CInstaller::InstalledProgramPath() const {
    return m_strFolder + Text(TextId::InstalledProgramName);
}

bool CInstaller::CreateFolder(const std::string& path) {
    int error = CreateOneFolder(path);
    // A file of that name is no folder to copy into: the copy would fail with a reason that
    // names neither the file nor the folder.
    std::string itself = path;
    while (!itself.empty() && IsPathSeparator(itself.back()))
        itself.pop_back();
    if (error == EEXIST && CheckFolderTrust(itself, true) == FolderTrust::NotAFolder)
        error = ENOTDIR;
    if (error == 0 || error == EEXIST)
        return true;
    m_strError = "Cannot create\n" + path;
    return false;
}

bool CInstaller::CopyProgramFile(const std::string& source, const std::string& destination,
                                 bool replaceMarker) {
    std::string reason;
    if (::CopyProgramFile(source, destination, replaceMarker, &reason))
        return true;
    m_strError = "Cannot copy\n" + source + " to\n" + destination + "\n" + reason;
    return false;
}

bool CInstaller::CheckFoldersTrusted() {
    // Whoever may write the install folder, or rename it in its base folder, can replace the
    // program that the user's menu entry starts. The base folder may be the administrator's.
    const std::string base = BaseFolder();
    std::string problem = base.empty() ? std::string() : TrustProblem(CheckFolderTrust(base, true));
    std::string folder = base;
    if (problem.empty()) {
        problem = TrustProblem(CheckFolderTrust(m_strFolder, false));
        folder = m_strFolder;
    }
    if (problem.empty())
        return true;
    m_strError = "Cannot install into\n" + folder + "\n" + problem;
    return false;
}

bool CInstaller::Install() {
    return Install(GetModulePath());
}

bool CInstaller::Install(const std::string& source) {
    const std::string destination = InstalledProgramPath();

    // The default base folder may not exist yet on a fresh account; the base-directory
    // convention creates it. A folder the user chose is never created beyond its last part.
    std::string defaultBase;
    if (GetInstallBaseFolder(defaultBase) && m_strFolder == defaultBase + m_strSubFolder)
        CreateFolderPath(defaultBase, 0700);

    if (!CheckFoldersTrusted())
        return false;
    if (!CreateFolder(m_strFolder))
        return false;
    // Checked again once made: a folder that appeared meanwhile must be the user's too.
    if (!CheckFoldersTrusted())
        return false;
    if (!CopyProgramFile(source, destination, true))
        return false;

    // Where shortcuts cannot take their icon out of the program, it goes beside it. A missing
    // icon only makes the shortcuts plainer.
    WriteProgramIcon(destination);

    const CShortcutMaker shortcuts;
    const std::string name = Text(TextId::ShortcutName);
    if (m_bDesktopIcon)
        shortcuts.CreateLink(shortcuts.PrepareDesktopLink(destination, name));

    const ShortcutSpec programs =
        shortcuts.PrepareProgramsLink(destination, name, Text(TextId::ProgramsGroupName), "");
    std::string menu;
    if (shortcuts.GetProgramsFolder(menu))
        CreateFolderPath(menu, 0700);
    CreateFolder(programs.strFolder); // a failure only leaves its message
    shortcuts.CreateLink(programs);

    // Without the registration the install cannot be undone: that is no success.
    return WriteUninstallEntry(destination);
}

bool CInstaller::WriteProgramIcon(const std::string& programPath) {
    if (!ProgramIconIsSeparateFile())
        return true;
    return ReplaceFileWith(ProgramIconPath(programPath), ProgramIconPicture(), 0644);
}

bool CInstaller::WriteUninstallEntry(const std::string& programPath) {
    // The keys and their order come from the text table.
    UninstallRegistration entry;
    entry.strKeyPath = Text(TextId::UninstallKeyPath);
    entry.strProgram = programPath;
    entry.strIconPath = ProgramIconPath(programPath);
    entry.strInstallLocation = m_strFolder;
    using Kind = RegistrationValue::Kind;
    entry.values = {
        {Text(TextId::UninstallValueName29), Kind::Text, Text(TextId::ShortcutName), 0},
        {Text(TextId::UninstallValueName30), Kind::Command, Text(TextId::UninstallCommandFormat),
         0},
        {Text(TextId::UninstallValueName31), Kind::Number, "", 1},
        {Text(TextId::UninstallValueName28), Kind::Text, Text(TextId::UninstallValue28Data), 0},
    };
    std::string reason;
    if (WriteUninstallRegistration(entry, &reason))
        return true;
    m_strError = "Corvane Calculator was copied to\n" + m_strFolder +
                 "\nbut its uninstall command could not be registered:\n" + reason +
                 "\nWithout it, the installation cannot be undone.";
    return false;
}

bool CInstaller::RunInstalled() {
    std::string reason;
    if (SpawnDetached(InstalledProgramPath(), {}, &reason))
        EndProcessNow(0);
    m_strError =
        "The installed program could not be started:\n" + InstalledProgramPath() + "\n" + reason;
    return false;
}
