#include "SetupTestSupport.h"

#include "platform/FileOps.h"
#include "platform/Process.h"
#include "platform/XdgFolders.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

namespace {

TEST(XdgFolders, DataHomeAndApplications) {
    struct Case {
        const char* dataHome; // XDG_DATA_HOME, nullptr = unset
        const char* home;     // HOME, nullptr = unset
        bool found;
        const char* expected;
    };
    const Case cases[] = {
        {"/data/x", "/h", true, "/data/x/"},
        {"/data/x/", "/h", true, "/data/x/"},
        {nullptr, "/h", true, "/h/.local/share/"},
        {nullptr, "/h/", true, "/h/.local/share/"},
        {"", "/h", true, "/h/.local/share/"},
        {"relative", "/h", true, "/h/.local/share/"}, // relative values are ignored
        {nullptr, nullptr, false, ""},
        {"", "", false, ""},
    };
    for (const Case& c : cases) {
        ScratchHome scratch;
        scratch.SetEnv("XDG_DATA_HOME", c.dataHome);
        scratch.SetEnv("HOME", c.home);
        std::string folder = "junk";
        EXPECT_EQ(GetDataHomeFolder(folder), c.found) << c.expected;
        EXPECT_EQ(folder, c.expected);
        std::string applications = "junk";
        EXPECT_EQ(GetApplicationsFolder(applications), c.found);
        EXPECT_EQ(applications, c.found ? std::string(c.expected) + "applications/" : "");
    }
}

TEST(XdgFolders, DesktopDirEntry) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", "/h/Desktop"},
        {"# comment\nXDG_DOWNLOAD_DIR=\"$HOME/Dl\"\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n",
         "/h/Schreibtisch"},
        {"XDG_DESKTOP_DIR=\"/srv/desk\"\r\n", "/srv/desk"},
        {"  XDG_DESKTOP_DIR=\"$HOME/My \\\"Desk\\\"\"", "/h/My \"Desk\""},
        {"XDG_DESKTOP_DIR=\"$HOME/a\"\nXDG_DESKTOP_DIR=\"$HOME/b\"\n", "/h/b"},
        {"XDG_DESKTOP_DIR=\"relative\"\n", ""},
        {"#XDG_DESKTOP_DIR=\"/x\"\n", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseDesktopDirEntry(c.text, "/h/"), c.expected) << c.text;
    EXPECT_EQ(ParseDesktopDirEntry("XDG_DESKTOP_DIR=\"$HOME/Desktop\"", ""), "");
}

TEST(XdgFolders, DesktopFolderFromUserDirsFile) {
    ScratchHome scratch;
    std::string folder;
    ASSERT_TRUE(GetDesktopFolder(folder));
    EXPECT_EQ(folder, scratch.Home() + "Desktop/"); // no user-dirs.dirs

    std::filesystem::create_directories(scratch.Home() + ".config");
    WriteFile(scratch.Home() + ".config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Arbeit\"\n");
    ASSERT_TRUE(GetDesktopFolder(folder));
    EXPECT_EQ(folder, scratch.Home() + "Arbeit/");

    const std::string config = scratch.Root() + "cfg";
    std::filesystem::create_directories(config);
    WriteFile(config + "/user-dirs.dirs", "XDG_DESKTOP_DIR=\"/elsewhere\"\n");
    scratch.SetEnv("XDG_CONFIG_HOME", config.c_str());
    ASSERT_TRUE(GetDesktopFolder(folder));
    EXPECT_EQ(folder, "/elsewhere/");

    scratch.SetEnv("XDG_CONFIG_HOME", nullptr);
    scratch.SetEnv("HOME", nullptr);
    EXPECT_FALSE(GetDesktopFolder(folder));
    EXPECT_EQ(folder, "");
}

TEST(XdgFolders, TempFolder) {
    ScratchHome scratch;
    EXPECT_EQ(GetTempFolder(), scratch.Temp());
    scratch.SetEnv("TMPDIR", "/var/tmp");
    EXPECT_EQ(GetTempFolder(), "/var/tmp/");
    scratch.SetEnv("TMPDIR", "");
    EXPECT_EQ(GetTempFolder(), "/tmp/");
    scratch.SetEnv("TMPDIR", nullptr);
    EXPECT_EQ(GetTempFolder(), "/tmp/");
}

TEST(FileOps, CreateDeleteAndRemoveNeverReachBeyondTheNamedItem) {
    ScratchHome scratch;
    const std::string folder = scratch.Root() + "f";
    EXPECT_EQ(CreateOneFolder(folder), 0);
    EXPECT_EQ(CreateOneFolder(folder), EEXIST);
    EXPECT_EQ(CreateOneFolder(scratch.Root() + "a/b"), ENOENT); // parents are not created
    EXPECT_EQ(CreateOneFolder(""), ENOENT);

    WriteFile(folder + "/file", "x");
    EXPECT_FALSE(RemoveEmptyFolder(folder)); // not empty
    EXPECT_FALSE(DeleteOneFile(folder));     // a folder is no file
    EXPECT_TRUE(Exists(folder + "/file"));
    EXPECT_TRUE(DeleteOneFile(folder + "/file"));
    EXPECT_FALSE(DeleteOneFile(folder + "/file"));
    EXPECT_FALSE(RemoveEmptyFolder(folder + "/missing"));

    // A symbolic link to a folder is neither removed as a folder nor followed.
    const std::string link = scratch.Root() + "link";
    ASSERT_EQ(::symlink(folder.c_str(), link.c_str()), 0);
    EXPECT_FALSE(RemoveEmptyFolder(link));
    EXPECT_TRUE(DeleteOneFile(link));
    EXPECT_TRUE(Exists(folder));
    EXPECT_TRUE(RemoveEmptyFolder(folder));
    EXPECT_FALSE(Exists(folder));
}

TEST(FileOps, CreateFolderPathMakesMissingParents) {
    ScratchHome scratch;
    EXPECT_TRUE(CreateFolderPath(scratch.Root() + "a/b/c/", 0700));
    EXPECT_TRUE(CreateFolderPath(scratch.Root() + "a/b/c", 0700));
    struct stat info {};
    ASSERT_EQ(::stat((scratch.Root() + "a/b").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    WriteFile(scratch.Root() + "file", "x");
    EXPECT_FALSE(CreateFolderPath(scratch.Root() + "file/sub", 0700));
    EXPECT_FALSE(CreateFolderPath("", 0700));
}

TEST(Process, SpawnDetachedPassesTheArgumentsAndReportsAFailedStart) {
    ScratchHome scratch;
    const std::string script = scratch.Root() + "script";
    const std::string out = scratch.Root() + "out";
    WriteFile(script,
              "#!/bin/sh\nprintf '%s|' \"$@\" > \"$OUT.part\"; mv \"$OUT.part\" \"$OUT\"\n");
    ::chmod(script.c_str(), 0755);
    scratch.SetEnv("OUT", out.c_str()); // the environment is passed on
    ASSERT_TRUE(SpawnDetached(script, {"--uninstall", "/a folder/with \"quotes\"/"}));
    ASSERT_TRUE(WaitForText(out, "|"));
    EXPECT_EQ(ReadFile(out), "--uninstall|/a folder/with \"quotes\"/|");
    EXPECT_FALSE(SpawnDetached(scratch.Root() + "missing", {}));
    ::chmod(script.c_str(), 0644);
    EXPECT_FALSE(SpawnDetached(script, {})); // not startable
}

} // namespace
