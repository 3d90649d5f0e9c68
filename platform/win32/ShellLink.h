#pragma once

#include <string>

// Shortcut files (.lnk) through the shell's link object (IShellLinkW and IPersistFile). Paths
// are UTF-8. COM is initialised for the call when the thread has not done so.

struct ShellLinkFields {
    std::string strTarget;      // the program the link starts
    std::string strArguments;   // its arguments, often empty
    std::string strWorkingDir;  // the folder it starts in
    std::string strDescription; // the link's description (its tooltip)
    std::string strIconPath;    // the file holding the icon
    int nIconIndex = 0;
};

// Writes the link at linkPath, replacing one that is there. The link is saved to a temporary
// file in the same folder first and then moved over the old one, so a failure (a full disk)
// never leaves a cut-off link. False with the system's message in error otherwise.
bool SaveShellLink(const std::string& linkPath, const ShellLinkFields& fields, std::string& error);

// Reads the link at linkPath; false when it is missing or no link. The target comes back as
// saved, without resolving it: from the link's item list, else its plain path.
bool LoadShellLink(const std::string& linkPath, ShellLinkFields& fields);
