// The folders setup installs into, as the system names them for the current user.
#include "platform/KnownFolders.h"
#include "tests/platform/win32/Win32TestSupport.h"

#include <gtest/gtest.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <cstdlib>

namespace {

std::string LocalAppData() {
    PWSTR path = nullptr;
    std::string text;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path)))
        text = WideToUtf8(path);
    CoTaskMemFree(path);
    return text;
}

TEST(KnownFolders, PerUserProgramFolderUnderLocalAppData) {
    std::string base;
    ASSERT_TRUE(GetInstallBaseFolder(base));
    // %LOCALAPPDATA%\Programs\ on Windows; Wine knows only LocalAppData, hence the fallback.
    EXPECT_EQ(base, LocalAppData() + "\\Programs\\");
}

TEST(KnownFolders, DesktopAndProgramsOfTheUser) {
    std::string desktop;
    std::string programs;
    ASSERT_TRUE(GetDesktopShortcutFolder(desktop));
    ASSERT_TRUE(GetProgramsShortcutFolder(programs));
    EXPECT_EQ(desktop.back(), '\\');
    EXPECT_EQ(programs.back(), '\\');
    EXPECT_NE(desktop, programs);
    EXPECT_NE(programs.find("\\Programs\\"), std::string::npos) << programs;
    // The Windows lane's user has a name outside the ANSI code pages: the folders keep it.
    if (std::getenv("CORVANE_ACCENTED_USER") != nullptr) {
        const std::string user = "Zo\xc3\xab Dvo\xc5\x99\xc3\xa1k";
        EXPECT_NE(desktop.find(user), std::string::npos) << desktop;
        EXPECT_NE(programs.find(user), std::string::npos) << programs;
    }
}

} // namespace
