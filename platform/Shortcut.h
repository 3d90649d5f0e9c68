#pragma once

#include <string>

// One shortcut: a desktop entry file (.desktop) on Linux, a shell link (.lnk) on Windows.
struct ShortcutSpec {
    std::string strLinkPath;    // full path of the shortcut file
    std::string strFolder;      // folder holding it, with trailing separator
    std::string strTarget;      // the program the shortcut starts
    std::string strDescription; // the shortcut's name, also its description
    std::string strWorkingDir;  // the target's folder, without trailing separator
    std::string strArguments;   // arguments after the target, already quoted; often empty
    std::string strIconPath;    // the icon: a picture beside the target, or the target itself
    int nIconIndex = 0;
};

// The shortcut file's name for a shortcut called name: name + ".desktop" or name + ".lnk".
std::string ShortcutFileName(const std::string& name);

// Where the program's icon is taken from: on Linux a picture the installer writes beside the
// program (program + ".png"), on Windows the program file itself.
std::string ProgramIconPath(const std::string& programPath);
// True where the installer has to write the icon picture itself (ProgramIconPath is no program).
bool ProgramIconIsSeparateFile();

// Writes the shortcut file, whole or not at all: a new file in the same folder is moved over
// any old one. False, with reason (the system's words) when given, when it cannot be written
// or the shortcut has no path.
bool CreateShortcut(const ShortcutSpec& shortcut, std::string* reason = nullptr);

// True when the file at linkPath is a shortcut that starts target.
bool IsShortcutTo(const std::string& linkPath, const std::string& target);

// Deletes the shortcut file only when it is a shortcut that starts target, so that a file of
// the user's own under the same name stays. True when it was deleted.
bool RemoveShortcutTo(const std::string& linkPath, const std::string& target);
