#include "SetupTestSupport.h"

#include "platform/FileOps.h"
#include "platform/Process.h"
#include "platform/TempFolder.h"
#include "platform/XdgFolders.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>

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

TEST(TempFolder, TmpdirThenRuntimeFolderThenAFolderOfTheUsersOwn) {
    ScratchHome scratch;
    std::string folder;
    ASSERT_TRUE(GetUserTempFolder(folder));
    EXPECT_EQ(folder, scratch.Temp());
    scratch.SetEnv("TMPDIR", "/var/tmp");
    ASSERT_TRUE(GetUserTempFolder(folder));
    EXPECT_EQ(folder, "/var/tmp/");
    for (const char* unset : {"", static_cast<const char*>(nullptr)}) {
        scratch.SetEnv("TMPDIR", unset);
        scratch.SetEnv("XDG_RUNTIME_DIR", "/run/user/7");
        ASSERT_TRUE(GetUserTempFolder(folder));
        EXPECT_EQ(folder, "/run/user/7/");
    }
    scratch.SetEnv("XDG_RUNTIME_DIR", nullptr);
    const std::string own = "/tmp/corvane-" + std::to_string(::geteuid());
    const bool existed = Exists(own);
    ASSERT_TRUE(GetUserTempFolder(folder));
    EXPECT_EQ(folder.rfind("/tmp/corvane-" + std::to_string(::geteuid()), 0), 0u) << folder;
    EXPECT_TRUE(IsOwnPrivateFolder(folder));
    if (!existed)
        RemoveEmptyFolder(own);
}

// Whatever already holds the folder's name, the folder returned is the user's own and private.
TEST(TempFolder, NameTakenByAnythingElseGivesAFreshFolder) {
    ScratchHome scratch;
    const std::string base = scratch.Root() + "t/";
    const std::string name = base + "corvane-" + std::to_string(::geteuid());
    std::string folder = "junk";
    EXPECT_FALSE(GetOwnFolderUnder(base, folder)); // no base folder
    EXPECT_EQ(folder, "");
    std::filesystem::create_directories(base);
    ASSERT_TRUE(GetOwnFolderUnder(base, folder));
    EXPECT_EQ(folder, name + "/");
    struct stat info {};
    ASSERT_EQ(::stat(name.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_TRUE(GetOwnFolderUnder(base, folder)); // made once, then used again
    EXPECT_EQ(folder, name + "/");

    const std::string other = scratch.Root() + "other";
    std::filesystem::create_directories(other);
    ::chmod(other.c_str(), 0700);
    struct Squat {
        const char* what;
        std::function<void()> make;
        bool needsRoot; // only root can give a folder away
    };
    const Squat squats[] = {
        {"ours, open to others", [&] { ::mkdir(name.c_str(), 0700), ::chmod(name.c_str(), 0755); },
         false},
        {"another user's", [&] { ::mkdir(name.c_str(), 0700), ::chown(name.c_str(), 4242, 4242); },
         true},
        {"a link to a private folder", [&] { ::symlink(other.c_str(), name.c_str()); }, false},
        {"a plain file", [&] { WriteFile(name, "x"); }, false},
    };
    for (const Squat& squat : squats) {
        if (squat.needsRoot && ::geteuid() != 0)
            continue;
        std::filesystem::remove_all(name);
        squat.make();
        ASSERT_TRUE(GetOwnFolderUnder(base, folder)) << squat.what;
        EXPECT_EQ(folder.rfind(name + "-", 0), 0u) << squat.what << ": " << folder;
        EXPECT_TRUE(IsOwnPrivateFolder(folder)) << squat.what;
        EXPECT_FALSE(IsOwnPrivateFolder(name)) << squat.what;
    }
}

TEST(TempFolder, OwnFileIsARegularFileOfTheUserThatOthersCannotWrite) {
    ScratchHome scratch;
    const std::string file = scratch.Root() + "file";
    WriteFile(file, "x");
    ::chmod(file.c_str(), 0755);
    EXPECT_TRUE(IsOwnFile(file));
    ::chmod(file.c_str(), 0775);
    EXPECT_FALSE(IsOwnFile(file));
    ::chmod(file.c_str(), 0755);
    const std::string link = scratch.Root() + "link";
    ASSERT_EQ(::symlink(file.c_str(), link.c_str()), 0);
    EXPECT_FALSE(IsOwnFile(link));
    EXPECT_FALSE(IsOwnFile(scratch.Root() + "missing"));
    EXPECT_FALSE(IsOwnFile(scratch.Home())); // a folder
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(file.c_str(), 4242, 4242), 0);
        EXPECT_FALSE(IsOwnFile(file));
    }
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

// The wizard's page-view helpers once lived as long as the calculator it started: it inherited
// the wizard's descriptors (11 to 20), among them the ends of their pipes.
TEST(Process, SpawnDetachedPassesOnNoDescriptorsButTheStandardOnes) {
    ScratchHome scratch;
    const std::string held = scratch.Root() + "held-open";
    WriteFile(held, "x");
    const int fd = ::open(held.c_str(), O_RDONLY); // inheritable, as a library might leave it
    ASSERT_GE(fd, 3);
    const std::string script = scratch.Root() + "script";
    const std::string out = scratch.Root() + "out";
    WriteFile(script, "#!/bin/sh\nls -l /proc/$$/fd > \"$OUT.part\"; mv \"$OUT.part\" \"$OUT\"\n");
    ::chmod(script.c_str(), 0755);
    scratch.SetEnv("OUT", out.c_str());
    ASSERT_TRUE(SpawnDetached(script, {}));
    ASSERT_TRUE(WaitForText(out, "total"));
    ::close(fd);
    EXPECT_EQ(ReadFile(out).find("held-open"), std::string::npos) << ReadFile(out);
}

TEST(Process, FailedStartSaysWhy) {
    ScratchHome scratch;
    std::string reason;
    EXPECT_FALSE(SpawnDetached(scratch.Root() + "missing", {}, &reason));
    EXPECT_EQ(reason, "No such file or directory");
}

} // namespace
