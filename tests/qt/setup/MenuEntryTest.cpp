// The installed entries as desktops read them: the validator of the Desktop Entry convention,
// a menu parser, and GLib starting each entry, for an install folder whose path holds a '%'
// and spaces.
#include "SetupTestSupport.h"

#include "setuplogic/Installer.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Runs a shell command line; returns its exit code and what it printed on both channels.
int Shell(const std::string& command, std::string& output) {
    return RunProgram("/bin/sh", {"-c", command + " 2>&1"}, &output);
}

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class MenuEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"desktop-file-validate", "gio"}) {
            std::string found;
            if (Shell(std::string("command -v ") + tool, found) != 0)
                GTEST_SKIP() << tool << " is missing (scripts/install-deps.sh installs it)";
        }
        std::string found;
        if (Shell("/usr/bin/python3 -c 'import xdg.Menu'", found) != 0)
            GTEST_SKIP() << "python3-xdg is missing (scripts/install-deps.sh installs it)";

        fs::create_directories(home.Desktop());
        fs::create_directories(base);
        CInstaller installer;
        installer.SetBaseFolder(base);
        installer.m_bDesktopIcon = 1;
        ASSERT_TRUE(installer.Install(DeliveredProgram())) << installer.m_strError;
        program = installer.InstalledProgramPath();
        home.SetEnv("XDG_DATA_DIRS", (home.Root() + "no-system-entries").c_str());
    }

    std::string Group() const { return home.Applications() + "Corvane Calculator/"; }

    ScratchHome home;
    std::string base = home.Root() + "Tools 100% mine/";
    std::string program;
};

TEST_F(MenuEntryTest, ValidatorAcceptsEveryEntry) {
    for (const std::string& entry :
         {Group() + "Corvane Calculator.desktop", Group() + "corvane-uninstall.desktop",
          home.Desktop() + "Corvane Calculator.desktop"}) {
        std::string output;
        EXPECT_EQ(Shell("desktop-file-validate " + Quoted(entry), output), 0) << output;
        // Warnings are fine (the comment repeats the name); errors are not.
        EXPECT_EQ(output.find("error:"), std::string::npos) << output;
    }
}

TEST_F(MenuEntryTest, MenuParserFilesBothEntriesUnderTheirCategory) {
    const std::string menu = home.Root() + "applications.menu";
    WriteFile(menu, "<Menu><Name>Applications</Name><DefaultAppDirs/>\n"
                    " <Menu><Name>Accessories</Name>\n"
                    "  <Include><Category>Utility</Category></Include></Menu>\n"
                    " <Menu><Name>Other</Name><OnlyUnallocated/><Include><All/></Include></Menu>\n"
                    "</Menu>\n");
    std::string output;
    ASSERT_EQ(Shell("/usr/bin/python3 " +
                        Quoted(std::string(CORVANE_SOURCE_DIR) + "/tests/qt/setup/list_menu.py") +
                        " " + Quoted(menu),
                    output),
              0)
        << output;
    const std::string exec = "env \"" + base + "Corvane/corvane\"";
    std::string doubled = exec;
    doubled.replace(doubled.find('%'), 1, "%%");
    EXPECT_EQ(output, "Accessories/Corvane Calculator\t" + doubled +
                          "\n"
                          "Accessories/Uninstall Corvane Calculator\t" +
                          doubled + " --uninstall\n");
}

// GLib drops an entry whose program it cannot find, and it looks before it reads "%%" as '%'.
TEST_F(MenuEntryTest, GlibStartsTheProgramOfEachEntry) {
    const std::string out = home.Root() + "out";
    const std::string log = home.Root() + "log";
    home.SetEnv("QT_QPA_PLATFORM", "offscreen");
    home.SetEnv("CORVANE_TEST_REPORT_RUN", "1");
    // The started programs write to files: a pipe of this test would close under them.
    std::string output;
    ASSERT_EQ(
        Shell("gio launch " + Quoted(Group() + "Corvane Calculator.desktop") + " > " + Quoted(out),
              output),
        0)
        << output;
    EXPECT_TRUE(WaitForText(out, "calculator\n")) << ReadFile(out);

    home.SetEnv("CORVANE_TEST_ANSWER", "no");
    home.SetEnv("CORVANE_TEST_LOG", log.c_str());
    ASSERT_EQ(Shell("gio launch " + Quoted(Group() + "corvane-uninstall.desktop") + " > " +
                        Quoted(out + "2") + " 2>&1",
                    output),
              0)
        << output;
    // The installed program itself asks: the entry started it, with the uninstall switch.
    EXPECT_TRUE(WaitForText(log, "box Uninstall Corvane Calculator?\n"))
        << ReadFile(log) << ReadFile(out + "2");
    EXPECT_TRUE(Exists(program));
}

} // namespace
