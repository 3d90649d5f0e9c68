#pragma once

#include <string>

// The folders setup installs into, each with its trailing separator. False and "" when the
// system does not give the folder.
//
// Linux: the data folder ($XDG_DATA_HOME, else ~/.local/share/), the desktop folder of
// user-dirs.dirs, and the applications folder that menus read.
// Windows: FOLDERID_UserProgramFiles (falling back to FOLDERID_LocalAppData + "Programs\"),
// FOLDERID_Desktop and FOLDERID_Programs of the current user.

// The base folder that receives the product folder when the user chooses none.
bool GetInstallBaseFolder(std::string& folder);
// Where the desktop shortcut goes.
bool GetDesktopShortcutFolder(std::string& folder);
// The Programs-menu folder: the group folder of the menu shortcut is made inside it.
bool GetProgramsShortcutFolder(std::string& folder);
