#pragma once

#include <string>

// One shortcut: a desktop entry file that starts a program.
struct ShortcutSpec {
    std::string strLinkPath;    // full path of the .desktop file
    std::string strFolder;      // folder holding it, with trailing '/'
    std::string strTarget;      // the program the shortcut starts
    std::string strDescription; // the shortcut's name, also its comment
    std::string strWorkingDir;  // the target's folder, without trailing '/'
    std::string strArguments;   // Exec arguments after the target, already quoted; often empty
    std::string strIconPath;    // the program's icon picture beside the target
    int nIconIndex = 0;
};

// The icon picture that the installer writes beside an installed program.
std::string ProgramIconPath(const std::string& programPath);

// Reads the shell folders and fills and saves ShortcutSpec records.
class CShortcutMaker {
public:
    virtual ~CShortcutMaker() = default;

    // The desktop / the menu's applications folder, with trailing '/'; false and "" when the
    // folder cannot be had.
    bool GetDesktopFolder(std::string& folder) const;
    bool GetProgramsFolder(std::string& folder) const;

    ShortcutSpec PrepareDesktopLink(const std::string& target, const std::string& name) const;
    ShortcutSpec PrepareProgramsLink(const std::string& target, const std::string& name,
                                     const std::string& group, const std::string& arguments) const;

    // Writes the desktop entry (mode 0755, so that desktops launch it). False when it cannot
    // be written or the shortcut has no folder.
    bool CreateLink(const ShortcutSpec& shortcut) const;

    // The desktop entry text for shortcut.
    static std::string LinkText(const ShortcutSpec& shortcut);
};
