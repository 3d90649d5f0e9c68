#pragma once

#include "platform/Shortcut.h"

#include <string>

// Reads the shell folders and fills and saves ShortcutSpec records.
class CShortcutMaker {
public:
    virtual ~CShortcutMaker() = default;

    // The desktop / the Programs menu folder, with trailing separator; false and "" when the
    // folder cannot be had.
    bool GetDesktopFolder(std::string& folder) const;
    bool GetProgramsFolder(std::string& folder) const;

    ShortcutSpec PrepareDesktopLink(const std::string& target, const std::string& name) const;
    ShortcutSpec PrepareProgramsLink(const std::string& target, const std::string& name,
                                     const std::string& group, const std::string& arguments) const;

    // Writes the shortcut whole or not at all. False, with reason when given, when it cannot
    // be written or the shortcut has no folder.
    bool CreateLink(const ShortcutSpec& shortcut, std::string* reason = nullptr) const;
};
