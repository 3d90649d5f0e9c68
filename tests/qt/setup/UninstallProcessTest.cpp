// The installed program run as a real process with the uninstall switch: stage 0 hands over
// to a temporary copy, which removes the installation as a detached process of its own.
#include "SetupTestSupport.h"

#include "platform/TempFolder.h"
#include "setuplogic/Installer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

const char* const kQuestion = "box Uninstall Corvane Calculator?\n";
const char* const kDone = "box Corvane Calculator has been removed from your computer.\n"
                          "open https://corvane.example/uninstalled?1.0\n";

class UninstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(home.Desktop());
        fs::create_directories(home.Root() + "download");
        const std::string source = home.Root() + "download/corvane";
        fs::copy_file(DeliveredProgram(), source);
        CInstaller installer;
        installer.m_bDesktopIcon = 1;
        ASSERT_TRUE(installer.Install(source)) << installer.m_strError;
        ASSERT_TRUE(Exists(Program()));

        // Files that are not ours, beside and around the installed ones.
        fs::create_directories(home.Applications() + "other");
        WriteFile(home.Desktop() + "notes.desktop", "mine");
        WriteFile(home.Applications() + "other.desktop", "mine");
        WriteFile(home.Applications() + "other/corvane.desktop", "mine");
        WriteFile(home.DataHome() + "corvane", "mine");
        WriteFile(home.Temp() + "keep", "mine");

        home.SetEnv("QT_QPA_PLATFORM", "offscreen");
        home.SetEnv("CORVANE_TEST_LOG", log.c_str());
        home.SetEnv("CORVANE_TEST_ANSWER", "yes");
    }

    std::string Folder() const { return home.DataHome() + "Corvane/"; }
    std::string Program() const { return Folder() + "corvane"; }

    std::vector<std::string> NotOurs() const {
        const std::string share = ".local/share/";
        return {".local",
                ".local/share",
                share + "applications",
                share + "applications/other",
                share + "applications/other.desktop",
                share + "applications/other/corvane.desktop",
                share + "corvane",
                "Desktop",
                "Desktop/notes.desktop"};
    }

    ScratchHome home;
    std::string log = home.Root() + "log";
};

TEST_F(UninstallTest, BothStagesRemoveEveryInstalledFileAndNothingElse) {
    WriteFile(Folder() + "corvane.cfg", "pin: 0\r\n"); // the calculator's settings file
    ASSERT_EQ(RunProgram(Program(), {"--uninstall"}), 0);
    ASSERT_TRUE(WaitForText(log, "open ")) << ReadFile(log);
    EXPECT_EQ(ReadFile(log), std::string(kQuestion) + kDone);
    EXPECT_EQ(ListTree(home.Home()), NotOurs());
    // The temporary copy stays, as the removal stage cannot delete its own running file. It
    // lies in a fresh private folder of its own under the temporary folder.
    const std::vector<std::string> temp = ListTree(home.Temp());
    ASSERT_EQ(temp.size(), 3u);
    EXPECT_EQ(temp[0].rfind("corvane-uninstall-", 0), 0u) << temp[0];
    EXPECT_TRUE(IsOwnPrivateFolder(home.Temp() + temp[0]));
    EXPECT_EQ(temp[1], temp[0] + "/corvane-uninstall");
    EXPECT_EQ(temp[2], "keep");
}

TEST_F(UninstallTest, FileOfTheUserKeepsTheInstallFolder) {
    WriteFile(Folder() + "my-results.txt", "42");
    ASSERT_EQ(RunProgram(Program(), {"--uninstall"}), 0);
    ASSERT_TRUE(WaitForText(log, "open ")) << ReadFile(log);
    std::vector<std::string> expected = NotOurs();
    expected.push_back(".local/share/Corvane");
    expected.push_back(".local/share/Corvane/my-results.txt");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ListTree(home.Home()), expected);
}

TEST_F(UninstallTest, AnsweringNoChangesNothing) {
    home.SetEnv("CORVANE_TEST_ANSWER", "no");
    const std::vector<std::string> before = ListTree(home.Home());
    ASSERT_EQ(RunProgram(Program(), {"--uninstall"}), 0);
    EXPECT_EQ(ReadFile(log), kQuestion);
    EXPECT_EQ(ListTree(home.Home()), before);
    EXPECT_EQ(ListTree(home.Temp()), (std::vector<std::string>{"keep"}));
}

TEST_F(UninstallTest, TemporaryCopyThatCannotBeMadeIsNotStarted) {
    home.SetEnv("TMPDIR", (home.Root() + "missing").c_str());
    const std::vector<std::string> before = ListTree(home.Home());
    EXPECT_EQ(RunProgram(Program(), {"--uninstall"}), 1);
    EXPECT_EQ(ReadFile(log),
              std::string(kQuestion) + "box unistall failed\\nNo such file or directory\n");
    EXPECT_EQ(ListTree(home.Home()), before);
}

TEST_F(UninstallTest, RemovalStageTakesTheFolderWithOrWithoutQuotes) {
    for (const std::string& folder :
         {"\"" + Folder() + "\"", Folder().substr(0, Folder().size() - 1)}) {
        SCOPED_TRACE(folder);
        CInstaller installer;
        ASSERT_TRUE(installer.Install(home.Root() + "download/corvane"));
        fs::remove(log);
        ASSERT_EQ(RunProgram(InstalledBuildProgram(), {"--uninstall", folder}), 0);
        EXPECT_EQ(ReadFile(log), kDone);
        EXPECT_EQ(ListTree(home.Home()), NotOurs());
    }
}

// The issue this guards against: a downloaded copy run with the switch once deleted the real
// installation's entries, itself and the emptied download folder.
TEST_F(UninstallTest, CopyThatIsNotTheInstalledProgramChangesNothing) {
    const std::string downloads = home.Home() + "Downloads/";
    fs::create_directories(downloads);
    fs::copy_file(InstalledBuildProgram(), downloads + "corvane"); // a calculator copy
    fs::copy_file(DeliveredProgram(), downloads + "corvane-setup");
    const std::string notInstalled =
        "box This copy of Corvane Calculator is not the installed program.\\nNothing was "
        "changed.\n";
    for (const std::string& copy : {downloads + "corvane", downloads + "corvane-setup"}) {
        SCOPED_TRACE(copy);
        const std::vector<std::string> before = ListTree(home.Home());
        fs::remove(log);
        ASSERT_EQ(RunProgram(copy, {"--uninstall"}), 0);
        EXPECT_EQ(ReadFile(log), notInstalled);
        EXPECT_EQ(ListTree(home.Home()), before);
        EXPECT_EQ(ListTree(home.Temp()), (std::vector<std::string>{"keep"}));
    }

    // Without an uninstall entry no program is the installed one, the real one included.
    fs::remove(home.Applications() + "Corvane Calculator/corvane-uninstall.desktop");
    const std::vector<std::string> before = ListTree(home.Home());
    fs::remove(log);
    ASSERT_EQ(RunProgram(Program(), {"--uninstall"}), 0);
    EXPECT_EQ(ReadFile(log), notInstalled);
    EXPECT_EQ(ListTree(home.Home()), before);
}

TEST_F(UninstallTest, RemovalStageRemovesNoOtherFolderThanTheInstalledOne) {
    const std::string downloads = home.Home() + "Downloads/";
    fs::create_directories(downloads);
    fs::copy_file(InstalledBuildProgram(), downloads + "corvane");
    WriteFile(downloads + "corvane.cfg", "pin: 0\r\n");
    const std::vector<std::string> before = ListTree(home.Home());
    for (const std::string& folder : {downloads, std::string("\"\""), std::string("relative"),
                                      std::string("/"), home.DataHome()}) {
        SCOPED_TRACE(folder);
        fs::remove(log);
        EXPECT_EQ(RunProgram(InstalledBuildProgram(), {"--uninstall", folder}), 1);
        std::string shown = folder == "\"\"" ? std::string() : folder;
        if (!shown.empty() && shown.back() != '/')
            shown += '/';
        EXPECT_EQ(ReadFile(log),
                  "box Nothing was removed: Corvane Calculator is not installed in\\n" + shown +
                      "\n");
        EXPECT_EQ(ListTree(home.Home()), before);
    }
}

TEST_F(UninstallTest, ProgramThatCannotBeRemovedIsNotReportedRemoved) {
    // A folder in the program's place: the removal stage deletes files only.
    fs::remove(Program());
    fs::create_directories(Program());
    EXPECT_EQ(RunProgram(InstalledBuildProgram(), {"--uninstall", Folder()}), 1);
    EXPECT_EQ(ReadFile(log),
              "box Corvane Calculator could not be removed from\\n" + Folder() +
                  "\\nIs a directory\\nIf Corvane Calculator is running, close it and "
                  "uninstall it again.\n");
    EXPECT_TRUE(Exists(Program()));
}

TEST_F(UninstallTest, OtherFirstArgumentsStartTheCalculator) {
    home.SetEnv("CORVANE_TEST_REPORT_RUN", "1");
    const std::vector<std::string> before = ListTree(home.Home());
    const std::vector<std::vector<std::string>> commandLines = {
        {"--Uninstall"}, {"--UNINSTALL"},      {"--uninstal"},   {"uninstall"},
        {"-uninstall"},  {"x", "--uninstall"}, {"--uninstall "},
    };
    for (const auto& arguments : commandLines) {
        std::string output;
        EXPECT_EQ(RunProgram(Program(), arguments, &output), 0) << arguments[0];
        EXPECT_EQ(output, "calculator\n") << arguments[0];
    }
    EXPECT_EQ(ListTree(home.Home()), before);
    EXPECT_EQ(ListTree(home.Temp()), (std::vector<std::string>{"keep"}));
    EXPECT_FALSE(Exists(log)); // no box was shown
}

// With TMPDIR=/tmp the copy once went straight into the shared folder: another user's file of
// that name was cut to 0 bytes before its owner was checked, and the copies piled up.
TEST_F(UninstallTest, CopyGoesToAFreshPrivateFolderAndEarlierOnesAreRemoved) {
    WriteFile(home.Temp() + "corvane-uninstall", "planted");
    ::chmod((home.Temp() + "corvane-uninstall").c_str(), 0777);
    const std::string earlier = home.Temp() + "corvane-uninstall-AbC123";
    fs::create_directories(earlier);
    ::chmod(earlier.c_str(), 0700);
    WriteFile(earlier + "/corvane-uninstall", "an earlier copy");
    ::chmod((earlier + "/corvane-uninstall").c_str(), 0755);
    const std::string open = home.Temp() + "corvane-uninstall-XyZ789"; // not private: not ours
    fs::create_directories(open);
    ::chmod(open.c_str(), 0777);
    WriteFile(open + "/corvane-uninstall", "someone else's");

    ASSERT_EQ(RunProgram(Program(), {"--uninstall"}), 0);
    ASSERT_TRUE(WaitForText(log, "open ")) << ReadFile(log);
    EXPECT_EQ(ReadFile(home.Temp() + "corvane-uninstall"), "planted");
    EXPECT_FALSE(Exists(earlier));
    EXPECT_EQ(ReadFile(open + "/corvane-uninstall"), "someone else's");
    std::vector<std::string> fresh;
    for (const auto& item : fs::directory_iterator(home.Temp())) {
        const std::string name = item.path().filename().string();
        if (name.rfind("corvane-uninstall-", 0) == 0 && item.path().string() != open)
            fresh.push_back(item.path().string());
    }
    ASSERT_EQ(fresh.size(), 1u);
    EXPECT_TRUE(IsOwnPrivateFolder(fresh[0]));
    EXPECT_TRUE(ReadFile(fresh[0] + "/corvane-uninstall") == ReadFile(InstalledBuildProgram()));
    EXPECT_EQ(ListTree(home.Home()), NotOurs());
}

// On a noexec mount the copy could not start: nothing was shown and the exit code was 0.
TEST_F(UninstallTest, CopyThatCannotStartIsReported) {
    const SmallDisk disk(home.Root() + "noexec", "size=16m,mode=0755,noexec");
    if (!disk.Mounted())
        GTEST_SKIP() << "mounting a tmpfs needs root";
    home.SetEnv("TMPDIR", (home.Root() + "noexec").c_str());
    const std::vector<std::string> before = ListTree(home.Home());
    EXPECT_EQ(RunProgram(Program(), {"--uninstall"}), 1);
    const std::string shown = ReadFile(log);
    EXPECT_EQ(shown.rfind(std::string(kQuestion) +
                              "box unistall failed\\nThe uninstaller could not be started:\\n" +
                              home.Root() + "noexec/corvane-uninstall-",
                          0),
              0u)
        << shown;
    EXPECT_NE(shown.find("/corvane-uninstall\\nPermission denied\n"), std::string::npos) << shown;
    EXPECT_EQ(ListTree(home.Home()), before);
    EXPECT_TRUE(ListTree(home.Root() + "noexec").empty()); // the failed copy is not left
}

// The uninstall once removed a desktop file of the user's own with the shortcut's name.
TEST_F(UninstallTest, DesktopFileThatIsNotTheShortcutStays) {
    const std::string mine = home.Desktop() + "Corvane Calculator.desktop";
    WriteFile(mine, "[Desktop Entry]\nType=Application\nName=Corvane Calculator\n"
                    "Exec=/usr/bin/corvane-notes\n");
    ASSERT_EQ(RunProgram(Program(), {"--uninstall"}), 0);
    ASSERT_TRUE(WaitForText(log, "open ")) << ReadFile(log);
    EXPECT_FALSE(Exists(Program()));
    EXPECT_NE(ReadFile(mine).find("corvane-notes"), std::string::npos);
}

} // namespace
