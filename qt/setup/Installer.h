#pragma once

#include <string>
#include <vector>

class QWidget;

// Installs the running program file for the user, starts the installed copy and removes the
// installation again (in two processes: the installed program hands over to a copy of itself
// in the temporary folder, which deletes the installed files).
class CInstaller {
public:
    // The install folder starts as the default base folder + m_strSubFolder.
    CInstaller();

    // The base folder when nothing else is chosen: the user's data folder, else "/opt/".
    static std::string DefaultBaseFolder();

    // m_strFolder = base + m_strSubFolder; the base is expected to end in '/'.
    void SetBaseFolder(const std::string& base);
    // Lets the user choose a base folder ("Browse"); false, folder unchanged, when cancelled.
    bool BrowseFolder(QWidget* owner = nullptr);

    // Creates one folder; one that already exists counts as created.
    bool CreateFolder(const std::string& path);
    bool CopyProgramFile(const std::string& source, const std::string& destination,
                         bool replaceMarker);

    // The whole installation of the running program file; on false m_strError holds the
    // message. The overload installs another file in its place.
    bool Install();
    bool Install(const std::string& source);

    // Starts the installed program and ends this process; returns only when it cannot start.
    void RunInstalled();

    // Stage 0 hands over to a temporary copy, stage 1 removes the installation. arguments are
    // the command-line arguments after the program name. Stage 1 removes only the install
    // folder that the uninstall entry names; false, with m_strError, when the folder is
    // another one or the installed program is still there afterwards.
    bool Uninstall(int stage, const std::vector<std::string>& arguments);

    std::string InstalledProgramPath() const;

    // The installed program as the uninstall entry's command names it; "" when there is no
    // entry or its command names no program of the installed name.
    static std::string InstalledProgramOfEntry();

    std::string m_strSubFolder; // "Corvane/", the folder every chosen base folder receives
    std::string m_strFolder;    // the install folder, with trailing '/'
    std::string m_strError;     // the message of the last failed step
    int m_bDesktopIcon = 0;     // Install also makes the desktop shortcut

private:
    bool HandOver();
    void RemoveInstallation(const std::string& folder);
    void WriteUninstallEntry(const std::string& programPath);
};

// Handles an uninstall command line (arguments after the program name). True when the run was
// an uninstall run: the program then ends without showing a window.
bool CheckUninstallRequest(const std::vector<std::string>& arguments);

// Opens the page shown after uninstalling: text 41 + "?" + the version text.
void OpenUninstallPage();
