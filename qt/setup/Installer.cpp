#include "qt/setup/Installer.h"

#include "platform/FileOps.h"
#include "platform/ModulePath.h"
#include "platform/Process.h"
#include "platform/WholeFile.h"
#include "platform/XdgFolders.h"
#include "qt/setup/DesktopEntry.h"
#include "qt/setup/ProgramFileCopy.h"
#include "qt/setup/ProgramIcon.h"
#include "qt/setup/ShortcutMaker.h"
#include "qt/setup/TextFormat.h"
#include "settings/TextTable.h"

#include <cerrno>

namespace {

std::string Text(TextId id) {
    return GetText(id);
}

} // namespace

CInstaller::CInstaller() : m_strSubFolder("Corvane/") {
    SetBaseFolder(DefaultBaseFolder());
}

std::string CInstaller::DefaultBaseFolder() {
    std::string base;
    if (!GetDataHomeFolder(base))
        return "/opt/";
    return base;
}

void CInstaller::SetBaseFolder(const std::string& base) {
    m_strFolder = base + m_strSubFolder;
}

std::string CInstaller::InstalledProgramPath() const {
    return m_strFolder + Text(TextId::InstalledProgramName);
}

bool CInstaller::CreateFolder(const std::string& path) {
    const int error = CreateOneFolder(path);
    if (error == 0 || error == EEXIST)
        return true;
    m_strError = "Cannot create\n" + path;
    return false;
}

bool CInstaller::CopyProgramFile(const std::string& source, const std::string& destination,
                                 bool replaceMarker) {
    if (::CopyProgramFile(source, destination, replaceMarker))
        return true;
    m_strError = "Cannot copy\n" + source + " to\n" + destination;
    return false;
}

bool CInstaller::Install() {
    return Install(GetModulePath());
}

bool CInstaller::Install(const std::string& source) {
    const std::string destination = InstalledProgramPath();

    // The default data folder may not exist yet on a fresh account; the base-directory
    // convention creates it. A folder the user chose is never created beyond its last part.
    std::string dataHome;
    if (GetDataHomeFolder(dataHome) && m_strFolder == dataHome + m_strSubFolder)
        CreateFolderPath(dataHome, 0700);

    if (!CreateFolder(m_strFolder))
        return false;
    if (!CopyProgramFile(source, destination, true))
        return false;

    // Desktop entries cannot take their icon out of the program, so it goes beside it.
    WriteProgramIcon(ProgramIconPath(destination));

    const CShortcutMaker shortcuts;
    const std::string name = Text(TextId::ShortcutName);
    if (m_bDesktopIcon) {
        const ShortcutSpec desktop = shortcuts.PrepareDesktopLink(destination, name);
        shortcuts.CreateLink(desktop);
    }

    const ShortcutSpec programs =
        shortcuts.PrepareProgramsLink(destination, name, Text(TextId::ProgramsGroupName), "");
    std::string applications;
    if (shortcuts.GetProgramsFolder(applications))
        CreateFolderPath(applications, 0700);
    CreateFolder(programs.strFolder); // a failure only leaves its message
    shortcuts.CreateLink(programs);

    WriteUninstallEntry(destination);
    return true;
}

void CInstaller::WriteUninstallEntry(const std::string& programPath) {
    // The registration is a desktop entry under the applications folder, so that the menu
    // offers the uninstall command. Its keys and their order come from the text table.
    std::string applications;
    if (!CShortcutMaker().GetProgramsFolder(applications))
        return;
    const std::string path = applications + Text(TextId::UninstallKeyPath);
    const size_t slash = path.rfind('/');
    CreateOneFolder(path.substr(0, slash)); // create or open the key's parent

    const std::string command =
        ExecLineFor(programPath, FormatWithText(Text(TextId::UninstallCommandFormat),
                                                EscapeExecQuoted(programPath)));
    const std::string text = FormatDesktopEntry({
        {"Type", "Application"},
        {Text(TextId::UninstallValueName29), EscapeDesktopValue(Text(TextId::ShortcutName))},
        {Text(TextId::UninstallValueName30), EscapeDesktopValue(command)},
        {Text(TextId::UninstallValueName31), "1"},
        {Text(TextId::UninstallValueName28),
         EscapeDesktopValue(Text(TextId::UninstallValue28Data))},
        {"Icon", EscapeDesktopValue(ProgramIconPath(programPath))},
        {"Categories", kDesktopCategories},
    });
    WriteWholeFile(path, text, 0755); // a failure leaves the install without registration
}

void CInstaller::RunInstalled() {
    if (SpawnDetached(InstalledProgramPath(), {}))
        EndProcessNow();
}
