// Shell links as setup makes them, read back through IShellLinkW itself.
#include "platform/Shortcut.h"
#include "platform/win32/ShellLink.h"
#include "tests/platform/win32/Win32TestSupport.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {

bool RunningOnWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Wine keeps a link's target path in the ANSI code page only, so GetPath gives back letters
// outside it as their nearest ANSI form; the link's item list keeps the whole name.
std::wstring AsGetPathGivesIt(const std::wstring& path) {
    if (!RunningOnWine())
        return path;
    const int size = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, ansi.data(), size, nullptr, nullptr);
    std::wstring back(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, back.data(), size);
    back.resize(wcslen(back.c_str()));
    return back;
}

ShortcutSpec Spec(const std::string& folder, const std::string& target) {
    ShortcutSpec shortcut;
    shortcut.strFolder = folder + "\\";
    shortcut.strDescription = "Corvane Calculator";
    shortcut.strLinkPath = shortcut.strFolder + ShortcutFileName(shortcut.strDescription);
    shortcut.strTarget = target;
    shortcut.strWorkingDir = target.substr(0, target.rfind('\\'));
    shortcut.strIconPath = ProgramIconPath(target);
    return shortcut;
}

TEST(Shortcut, LinkFieldsReadBackThroughTheShell) {
    TempFolder temp;
    const std::string folder = WinPath(temp) + "\\" + kOddName;
    ASSERT_TRUE(MakeFolder(folder));
    const std::string target = folder + "\\Corvane\\corvane.exe";
    ASSERT_TRUE(MakeFolder(folder + "\\Corvane"));
    WriteFileBytes(target, "program");
    ShortcutSpec shortcut = Spec(folder, target);
    shortcut.strArguments = "--uninstall \"a b\"";
    std::string reason;
    ASSERT_TRUE(CreateShortcut(shortcut, &reason)) << reason;
    EXPECT_EQ(shortcut.strLinkPath, folder + "\\Corvane Calculator.lnk");

    const LinkReadBack read = ReadLinkWithShell(shortcut.strLinkPath);
    ASSERT_TRUE(read.bLoaded);
    EXPECT_EQ(read.itemsPath, Wide(target));
    EXPECT_EQ(read.path, AsGetPathGivesIt(Wide(target)));
    EXPECT_EQ(read.arguments, L"--uninstall \"a b\"");
    EXPECT_EQ(read.workingDir, Wide(folder + "\\Corvane"));
    EXPECT_EQ(read.description, L"Corvane Calculator");
    EXPECT_EQ(read.icon, Wide(target)); // the program's own icon
    EXPECT_EQ(read.iconIndex, 0);

    // The same through the platform's reader; only the link file is in the folder.
    ShellLinkFields fields;
    ASSERT_TRUE(LoadShellLink(shortcut.strLinkPath, fields));
    EXPECT_EQ(fields.strTarget, target);
    EXPECT_EQ(fields.strWorkingDir, folder + "\\Corvane");
    EXPECT_EQ(fields.strArguments, shortcut.strArguments);
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(Wide(folder + "\\*.*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    int files = 0;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            ++files;
            EXPECT_STREQ(found.cFileName, L"Corvane Calculator.lnk");
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_EQ(files, 1);
}

TEST(Shortcut, ANewLinkReplacesTheOldOne) {
    TempFolder temp;
    const std::string folder = WinPath(temp);
    ASSERT_TRUE(CreateShortcut(Spec(folder, "C:\\old\\corvane.exe")));
    ASSERT_TRUE(CreateShortcut(Spec(folder, "C:\\new\\corvane.exe")));
    EXPECT_EQ(ReadLinkWithShell(folder + "\\Corvane Calculator.lnk").path, L"C:\\new\\corvane.exe");
}

TEST(Shortcut, OnlyALinkToTheProgramIsRemoved) {
    TempFolder temp;
    const std::string folder = WinPath(temp);
    const ShortcutSpec shortcut = Spec(folder, "C:\\Programs\\Corvane\\corvane.exe");
    ASSERT_TRUE(CreateShortcut(shortcut));

    EXPECT_TRUE(IsShortcutTo(shortcut.strLinkPath, shortcut.strTarget));
    // File names compare without regard to case on Windows.
    EXPECT_TRUE(IsShortcutTo(shortcut.strLinkPath, "c:\\programs\\corvane\\CORVANE.EXE"));
    EXPECT_FALSE(IsShortcutTo(shortcut.strLinkPath, "C:\\Other\\corvane.exe"));
    EXPECT_FALSE(RemoveShortcutTo(shortcut.strLinkPath, "C:\\Other\\corvane.exe"));
    EXPECT_TRUE(FileOrFolderExists(shortcut.strLinkPath));
    EXPECT_TRUE(RemoveShortcutTo(shortcut.strLinkPath, shortcut.strTarget));
    EXPECT_FALSE(FileOrFolderExists(shortcut.strLinkPath));

    // A file of the user's own under the link's name is no link and stays.
    WriteFileBytes(shortcut.strLinkPath, "my notes");
    EXPECT_FALSE(RemoveShortcutTo(shortcut.strLinkPath, shortcut.strTarget));
    EXPECT_EQ(ReadFileBytes(shortcut.strLinkPath), "my notes");
}

TEST(Shortcut, NoFolderNoLinkAndAMissingFolderSaysWhy) {
    ShortcutSpec shortcut;
    std::string reason;
    EXPECT_FALSE(CreateShortcut(shortcut, &reason));
    EXPECT_FALSE(reason.empty());

    TempFolder temp;
    shortcut = Spec(WinPath(temp) + "\\missing", "C:\\a\\corvane.exe");
    reason.clear();
    EXPECT_FALSE(CreateShortcut(shortcut, &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(FileOrFolderExists(shortcut.strLinkPath));
}

} // namespace
