#include "SetupTestSupport.h"

#include "platform/posix/DesktopEntry.h"
#include "settings/TextTable.h"
#include "setuplogic/Installer.h"
#include "setuplogic/ShortcutMaker.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

unsigned Mode(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

class InstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(home.Desktop());
        fs::create_directories(home.Root() + "download");
        fs::copy_file(DeliveredProgram(), source);
    }

    std::string Folder() const { return home.DataHome() + "Corvane/"; }
    std::string Program() const { return Folder() + "corvane"; }
    std::string DesktopLink() const { return home.Desktop() + "Corvane Calculator.desktop"; }
    std::string Group() const { return home.Applications() + "Corvane Calculator/"; }
    std::string ProgramsLink() const { return Group() + "Corvane Calculator.desktop"; }
    std::string UninstallEntry() const {
        return home.Applications() + GetText(TextId::UninstallKeyPath);
    }

    // The home folder holds nothing but the desktop and the download.
    void ExpectNothingInstalled() const {
        EXPECT_EQ(ListTree(home.Home()), (std::vector<std::string>{"Desktop"}));
    }

    ScratchHome home;
    std::string source = home.Root() + "download/corvane";
};

TEST_F(InstallerTest, DefaultFolderFollowsTheDataFolder) {
    struct Case {
        const char* dataHome;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/d", "/h", "/d/Corvane/"},
        {nullptr, "/h", "/h/.local/share/Corvane/"},
        {nullptr, nullptr, "/opt/Corvane/"}, // no data folder at all: the fallback
        {"", "", "/opt/Corvane/"},
    };
    for (const Case& c : cases) {
        home.SetEnv("XDG_DATA_HOME", c.dataHome);
        home.SetEnv("HOME", c.home);
        EXPECT_EQ(CInstaller().m_strFolder, c.expected);
    }
    CInstaller installer;
    installer.SetBaseFolder("/media/usb/");
    EXPECT_EQ(installer.m_strFolder, "/media/usb/Corvane/");
    EXPECT_EQ(installer.InstalledProgramPath(), "/media/usb/Corvane/corvane");
    EXPECT_EQ(installer.m_strError, "");
    EXPECT_EQ(installer.m_bDesktopIcon, 0);
}

TEST_F(InstallerTest, InstallsTheProgramIconShortcutsAndUninstallEntry) {
    CInstaller installer;
    ASSERT_EQ(installer.m_strFolder, Folder());
    installer.m_bDesktopIcon = 1;
    ASSERT_TRUE(installer.Install(source)) << installer.m_strError;

    // The program: 1 where the marker was, byte for byte the same elsewhere, startable.
    const std::string delivered = ReadFile(source);
    std::string expected = delivered;
    const size_t at = expected.find(WordBytes(MarkerWord()));
    ASSERT_NE(at, std::string::npos);
    expected.replace(at, 4, WordBytes(1));
    EXPECT_TRUE(ReadFile(Program()) == expected);
    EXPECT_EQ(Mode(Program()), 0755u);

    EXPECT_EQ(ReadFile(Folder() + "corvane.png").substr(0, 8), "\x89PNG\r\n\x1a\n");

    const CShortcutMaker maker;
    const ShortcutSpec desktop = maker.PrepareDesktopLink(Program(), "Corvane Calculator");
    EXPECT_EQ(desktop.strLinkPath, DesktopLink());
    EXPECT_EQ(ReadFile(DesktopLink()), DesktopLinkText(desktop));
    EXPECT_EQ(Mode(DesktopLink()), 0755u);
    const ShortcutSpec programs =
        maker.PrepareProgramsLink(Program(), "Corvane Calculator", "Corvane Calculator", "");
    EXPECT_EQ(programs.strLinkPath, ProgramsLink());
    EXPECT_EQ(ReadFile(ProgramsLink()), DesktopLinkText(programs));
    EXPECT_EQ(Mode(ProgramsLink()), 0755u);
    EXPECT_NE(ReadFile(ProgramsLink()).find("Exec=\"" + Program() + "\"\n"), std::string::npos);

    EXPECT_EQ(ReadFile(UninstallEntry()), "[Desktop Entry]\n"
                                          "Type=Application\n"
                                          "Comment=Corvane Calculator\n"
                                          "Exec=\"" +
                                              Program() +
                                              "\" --uninstall\n"
                                              "X-Corvane-NoModify=1\n"
                                              "Name=Uninstall Corvane Calculator\n"
                                              "Icon=" +
                                              Folder() +
                                              "corvane.png\n"
                                              "Categories=Utility;Calculator;\n");

    // Nothing else was made.
    const std::string share = ".local/share/";
    EXPECT_EQ(ListTree(home.Home()),
              (std::vector<std::string>{
                  ".local", ".local/share", share + "Corvane", share + "Corvane/corvane",
                  share + "Corvane/corvane.png", share + "applications",
                  share + "applications/Corvane Calculator",
                  share + "applications/Corvane Calculator/Corvane Calculator.desktop",
                  share + "applications/Corvane Calculator/corvane-uninstall.desktop", "Desktop",
                  "Desktop/Corvane Calculator.desktop"}));
}

TEST_F(InstallerTest, DesktopShortcutOnlyWhenAskedAndReinstallOverwrites) {
    CInstaller installer;
    ASSERT_TRUE(installer.Install(source)) << installer.m_strError;
    EXPECT_FALSE(Exists(DesktopLink()));
    EXPECT_TRUE(Exists(ProgramsLink()));
    EXPECT_TRUE(Exists(UninstallEntry()));

    // Again over the existing folder, with a damaged program and a settings file in it.
    WriteFile(Program(), "damaged");
    WriteFile(Folder() + "corvane.cfg", "pin: 1\r\n");
    ASSERT_TRUE(installer.Install(source)) << installer.m_strError;
    EXPECT_EQ(ReadFile(Program()).size(), ReadFile(source).size());
    EXPECT_EQ(CountOccurrences(ReadFile(Program()), WordBytes(MarkerWord())), 0u);
    EXPECT_EQ(ReadFile(Folder() + "corvane.cfg"), "pin: 1\r\n");
    EXPECT_FALSE(Exists(DesktopLink()));
}

TEST_F(InstallerTest, FolderThatCannotBeCreatedStopsTheInstall) {
    // As root a read-only parent does not stop mkdir, so the parent is a regular file.
    WriteFile(home.Root() + "plain", "x");
    std::vector<std::string> bases = {home.Root() + "plain/"};
    if (::geteuid() != 0) {
        fs::create_directories(home.Root() + "readonly");
        ::chmod((home.Root() + "readonly").c_str(), 0555);
        bases.push_back(home.Root() + "readonly/");
    }
    for (const std::string& base : bases) {
        CInstaller installer;
        installer.m_bDesktopIcon = 1;
        installer.SetBaseFolder(base);
        EXPECT_FALSE(installer.Install(source));
        EXPECT_EQ(installer.m_strError, "Cannot create\n" + base + "Corvane/");
        ExpectNothingInstalled();
    }
}

TEST_F(InstallerTest, SourceWithoutOrWithTwoMarkersIsNotInstalled) {
    const std::string delivered = ReadFile(source);
    const std::string noMarker = home.Root() + "download/no-marker";
    const std::string twoMarkers = home.Root() + "download/two-markers";
    WriteFile(noMarker, ReadFile(InstalledBuildProgram()));
    WriteFile(twoMarkers, delivered + WordBytes(MarkerWord()));
    for (const std::string& bad : {noMarker, twoMarkers}) {
        CInstaller installer;
        installer.m_bDesktopIcon = 1;
        EXPECT_FALSE(installer.Install(bad));
        EXPECT_EQ(installer.m_strError, "Cannot copy\n" + bad + " to\n" + Program() +
                                            "\nThe program file does not carry the setup "
                                            "marker exactly once.");
        // The folder exists; no program, shortcut, icon or uninstall entry was made.
        const std::string share = ".local/share/";
        EXPECT_EQ(ListTree(home.Home()), (std::vector<std::string>{".local", ".local/share",
                                                                   share + "Corvane", "Desktop"}));
    }
}

TEST_F(InstallerTest, RunInstalledReturnsWhenTheProgramCannotStart) {
    CInstaller installer;
    installer.SetBaseFolder(home.Root() + "nowhere/");
    installer.RunInstalled(); // would end this test program if it started anything
    EXPECT_FALSE(Exists(installer.InstalledProgramPath()));
}

TEST_F(InstallerTest, WithoutAnyDataFolderTheFallbackIsUsed) {
    home.SetEnv("HOME", nullptr);
    home.SetEnv("XDG_DATA_HOME", nullptr);
    CInstaller installer;
    EXPECT_EQ(installer.m_strFolder, "/opt/Corvane/");
    // The install goes to the fallback only if it can; here it is redirected to the scratch
    // folder to keep /opt untouched. Without a home there is no menu folder for the uninstall
    // entry, and an install that cannot be undone is not reported as a success.
    installer.SetBaseFolder(home.Root());
    EXPECT_FALSE(installer.Install(source));
    EXPECT_EQ(installer.m_strError, "Corvane Calculator was copied to\n" + home.Root() +
                                        "Corvane/\nbut its uninstall command could not be "
                                        "registered:\nThere is no applications folder.\n"
                                        "Without it, the installation cannot be undone.");
    EXPECT_TRUE(Exists(home.Root() + "Corvane/corvane"));
    ExpectNothingInstalled();
}

// User B makes a folder that A installs into: B could replace the program that A's menu entry
// starts. Such a folder, as base or as the product folder in it, is refused with the reason.
TEST_F(InstallerTest, FolderThatAnotherUserOwnsOrMayWriteIsRefused) {
    struct Case {
        const char* what;
        std::string base;
        std::function<void(const std::string&)> make; // given the base folder
        std::string refused;                          // the folder the message names
        const char* reason;
        bool needsRoot;
    };
    const std::string others = "Other users can write to the folder, so they could replace the "
                               "program.";
    const std::string owner = "The folder belongs to another user.";
    const std::string root = home.Root();
    const Case cases[] = {
        {"a shared base", root + "shared/", [](const std::string& b) { ::chmod(b.c_str(), 0777); },
         root + "shared/", others.c_str(), false},
        {"a base its group may write", root + "group/",
         [](const std::string& b) {
             ::chown(b.c_str(), ::geteuid(), 4242);
             ::chmod(b.c_str(), 0775);
         },
         root + "group/", others.c_str(), true},
        {"a shared product folder", root + "base1/",
         [](const std::string& b) {
             fs::create_directories(b + "Corvane");
             ::chmod((b + "Corvane").c_str(), 0777);
         },
         root + "base1/Corvane/", others.c_str(), false},
        {"another user's product folder", root + "base2/",
         [](const std::string& b) {
             fs::create_directories(b + "Corvane");
             ::chown((b + "Corvane").c_str(), 4242, 4242);
         },
         root + "base2/Corvane/", owner.c_str(), true},
        {"another user's base", root + "base3/",
         [](const std::string& b) { ::chown(b.c_str(), 4242, 4242); }, root + "base3/",
         owner.c_str(), true},
    };
    for (const Case& c : cases) {
        if (c.needsRoot && ::geteuid() != 0)
            continue;
        SCOPED_TRACE(c.what);
        fs::create_directories(c.base);
        ::chmod(c.base.c_str(), 0755);
        c.make(c.base);
        CInstaller installer;
        installer.m_bDesktopIcon = 1;
        installer.SetBaseFolder(c.base);
        EXPECT_FALSE(installer.Install(source));
        EXPECT_EQ(installer.m_strError, "Cannot install into\n" + c.refused + "\n" + c.reason);
        EXPECT_FALSE(Exists(c.base + "Corvane/corvane"));
        ExpectNothingInstalled();
    }
    // The user's own folder, closed to others, is fine; so is one that only the user's own
    // private group may write (umask 002 makes every folder so).
    const std::string own = root + "own/";
    fs::create_directories(own);
    ::chmod(own.c_str(), 0700);
    const passwd* user = ::getpwuid(::geteuid());
    const group* primary = ::getgrgid(::getegid());
    if (user != nullptr && primary != nullptr && std::string(user->pw_name) == primary->gr_name &&
        (primary->gr_mem == nullptr || primary->gr_mem[0] == nullptr)) {
        ::chown(own.c_str(), ::geteuid(), ::getegid());
        ::chmod(own.c_str(), 0775);
    }
    CInstaller installer;
    installer.SetBaseFolder(own);
    EXPECT_TRUE(installer.Install(source)) << installer.m_strError;
}

// On a nearly full disk a reinstall once left a partial program in place of the working one.
TEST_F(InstallerTest, FailedReinstallOnAFullDiskKeepsTheOldProgramWhole) {
    const SmallDisk disk(home.Root() + "disk", "size=4m,mode=0755");
    if (!disk.Mounted())
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    CInstaller installer;
    installer.SetBaseFolder(home.Root() + "disk/");
    ASSERT_TRUE(installer.Install(source)) << installer.m_strError;
    const std::string program = installer.InstalledProgramPath();
    const std::string working = ReadFile(program);

    // A newer, larger program, and less room left than it needs beside the old one.
    const std::string newer = home.Root() + "download/newer";
    WriteFile(newer, ReadFile(source) + std::string(1 << 20, '\0'));
    disk.FillLeaving(256 * 1024);
    EXPECT_FALSE(installer.Install(newer));
    EXPECT_EQ(installer.m_strError,
              "Cannot copy\n" + newer + " to\n" + program + "\nNo space left on device");
    EXPECT_TRUE(ReadFile(program) == working);
    EXPECT_EQ(ListTree(installer.m_strFolder),
              (std::vector<std::string>{"corvane", "corvane.png"}));
}

// On a full disk the entries were once written with 0 bytes and "Setup complete" was shown.
TEST_F(InstallerTest, EntryThatCannotBeWrittenLeavesTheOldOneWhole) {
    const SmallDisk disk(home.Root() + "disk", "size=1m,mode=0755");
    if (!disk.Mounted())
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    ShortcutSpec shortcut =
        CShortcutMaker().PrepareDesktopLink("/opt/Corvane/corvane", "Corvane Calculator");
    shortcut.strLinkPath = home.Root() + "disk/Corvane Calculator.desktop";
    ASSERT_TRUE(CShortcutMaker().CreateLink(shortcut));
    const std::string old = ReadFile(shortcut.strLinkPath);
    disk.FillLeaving(0);
    shortcut.strTarget = "/opt/Corvane/corvane-newer";
    std::string reason;
    EXPECT_FALSE(CShortcutMaker().CreateLink(shortcut, &reason));
    EXPECT_EQ(reason, "No space left on device");
    EXPECT_EQ(ReadFile(shortcut.strLinkPath), old);
}

TEST_F(InstallerTest, UninstallEntryThatCannotBeWrittenFailsTheInstall) {
    // A folder in the entry's place: it cannot be replaced by a file.
    fs::create_directories(UninstallEntry());
    CInstaller installer;
    EXPECT_FALSE(installer.Install(source));
    EXPECT_EQ(installer.m_strError, "Corvane Calculator was copied to\n" + Folder() +
                                        "\nbut its uninstall command could not be registered:\n"
                                        "Is a directory\nWithout it, the installation cannot be "
                                        "undone.");
}

} // namespace
