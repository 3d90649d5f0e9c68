#include "platform/Shortcut.h"

#include "platform/FileOps.h"
#include "platform/WholeFile.h"
#include "platform/posix/DesktopEntry.h"

std::string ShortcutFileName(const std::string& name) {
    return name + ".desktop";
}

std::string ProgramIconPath(const std::string& programPath) {
    return programPath + ".png";
}

bool ProgramIconIsSeparateFile() {
    return true;
}

std::string DesktopLinkText(const ShortcutSpec& shortcut) {
    std::string exec = QuoteExecArgument(shortcut.strTarget);
    if (!shortcut.strArguments.empty())
        exec += " " + shortcut.strArguments;
    exec = ExecLineFor(shortcut.strTarget, exec);
    return FormatDesktopEntry({
        {"Type", "Application"},
        {"Name", EscapeDesktopValue(shortcut.strDescription)},
        {"Comment", EscapeDesktopValue(shortcut.strDescription)},
        {"Exec", EscapeDesktopValue(exec)},
        {"Path", EscapeDesktopValue(shortcut.strWorkingDir)},
        {"Icon", EscapeDesktopValue(shortcut.strIconPath)},
        {"Terminal", "false"},
        {"Categories", kDesktopCategories},
    });
}

bool CreateShortcut(const ShortcutSpec& shortcut, std::string* reason) {
    if (shortcut.strLinkPath.empty()) {
        if (reason != nullptr)
            *reason = "There is no folder for the shortcut.";
        return false;
    }
    // Mode 0755: desktops launch only entries that may be executed.
    return ReplaceFileWith(shortcut.strLinkPath, DesktopLinkText(shortcut), 0755, reason);
}

bool IsShortcutTo(const std::string& linkPath, const std::string& target) {
    std::string text;
    return ReadWholeFile(linkPath, text) && !target.empty() &&
           ExecProgram(DesktopEntryValue(text, "Exec")) == target;
}

bool RemoveShortcutTo(const std::string& linkPath, const std::string& target) {
    return IsShortcutTo(linkPath, target) && DeleteOneFile(linkPath);
}
