#pragma once

#include <string>

// Folders of the freedesktop.org base-directory and user-directory conventions, read from the
// environment of the running process. Each returned folder ends in '/'.

// The per-user data folder: $XDG_DATA_HOME, else $HOME/.local/share/. False (and "") when
// neither variable gives an absolute path.
bool GetDataHomeFolder(std::string& folder);

// The desktop folder: XDG_DESKTOP_DIR from $XDG_CONFIG_HOME/user-dirs.dirs (default
// $HOME/.config/user-dirs.dirs), else $HOME/Desktop/. False (and "") without a usable home.
bool GetDesktopFolder(std::string& folder);

// The applications folder that menus read: the data folder + "applications/".
bool GetApplicationsFolder(std::string& folder);

// The value of XDG_DESKTOP_DIR in the text of a user-dirs.dirs file, with "$HOME" expanded;
// "" when the file does not set it to an absolute path.
std::string ParseDesktopDirEntry(const std::string& fileText, const std::string& home);
