#pragma once

#include <string>
#include <vector>

class SetupPrompt;

// Installs the running program file for the user, starts the installed copy and removes the
// installation again (in two processes: the installed program hands over to a copy of itself
// in a fresh private temporary folder, which deletes the installed files). No toolkit: the
// system's services come from platform/, the user is asked through a SetupPrompt.
class CInstaller {
public:
    // The install folder starts as the default base folder + m_strSubFolder.
    CInstaller();
    virtual ~CInstaller() = default;

    // The base folder when nothing else is chosen (GetInstallBaseFolder), else the system's
    // fallback ("/opt/", "C:\Program Files\").
    static std::string DefaultBaseFolder();

    // m_strFolder = base + m_strSubFolder; the base is expected to end in a separator.
    void SetBaseFolder(const std::string& base);
    // The base folder of m_strFolder (m_strFolder without m_strSubFolder).
    std::string BaseFolder() const;
    // Lets the user choose a base folder ("Browse"); false, folder unchanged, when cancelled.
    bool BrowseFolder(SetupPrompt& prompt);

    // Creates one folder; one that already exists counts as created.
    bool CreateFolder(const std::string& path);
    // The program copy (temporary file beside the destination, then moved over it); on false
    // m_strError says what could not be copied and why.
    bool CopyProgramFile(const std::string& source, const std::string& destination,
                         bool replaceMarker);

    // The whole installation of the running program file; on false m_strError holds the
    // message. The overload installs another file in its place. Refuses a base folder or an
    // existing install folder that another user owns or may write. False too when the
    // uninstall registration cannot be written (the program is then installed but cannot be
    // uninstalled, and the message says so).
    bool Install();
    bool Install(const std::string& source);

    // Starts the installed program and ends this process. Returns false, with m_strError,
    // only when it cannot start.
    bool RunInstalled();

    // Stage 0 hands over to a temporary copy, stage 1 removes the installation. arguments are
    // the command-line arguments after the program name. Stage 0 returns only when the
    // hand-over failed (false, m_strError says why). Stage 1 removes only the install folder
    // that the uninstall entry names; false, with m_strError, when the folder is another one
    // or the installed program is still there afterwards.
    bool Uninstall(int stage, const std::vector<std::string>& arguments);

    std::string InstalledProgramPath() const;

    // The installed program as the uninstall entry's command names it; "" when there is no
    // entry or its command names no program of the installed name.
    static std::string InstalledProgramOfEntry();

    std::string m_strSubFolder; // "Corvane/", the folder every chosen base folder receives
    std::string m_strFolder;    // the install folder, with trailing separator
    std::string m_strError;     // the message of the last failed step
    int m_bDesktopIcon = 0;     // Install also makes the desktop shortcut

private:
    bool CheckFoldersTrusted();
    bool WriteProgramIcon(const std::string& programPath);
    bool WriteUninstallEntry(const std::string& programPath);
    bool HandOver();
    void RemoveInstallation(const std::string& folder);
};

// Handles an uninstall command line (arguments after the program name). True when the run was
// an uninstall run: the program then ends without showing a window, with exitCode (non-zero
// when the uninstall failed or the hand-over copy could not be made or started; zero when this
// copy is not the installed program and says so).
bool CheckUninstallRequest(const std::vector<std::string>& arguments, SetupPrompt& prompt,
                           int& exitCode);

// Opens the page shown after uninstalling: text 41 + "?" + the version text.
void OpenUninstallPage(SetupPrompt& prompt);
