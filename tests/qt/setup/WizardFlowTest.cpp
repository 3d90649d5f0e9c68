// The wizard's flow without a window: a recording view and prompt stand in for the frame and
// the message boxes. It installs the running test program, which carries the setup marker.
#include "SetupTestSupport.h"

#include "setuplogic/SetupPrompt.h"
#include "setuplogic/SetupWizardFlow.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class RecordingPrompt : public SetupPrompt {
public:
    PromptAnswer ShowMessage(const std::string& text, PromptButtons) override {
        messages.push_back(text);
        return PromptAnswer::Ok;
    }
    bool BrowseForFolder(const std::string&, std::string& chosen) override {
        chosen = folder;
        return !folder.empty();
    }
    void OpenAddress(const std::string& url) override { messages.push_back("open " + url); }

    std::vector<std::string> messages;
    std::string folder; // what the folder browser answers; "" cancels
};

class RecordingView : public WizardView {
public:
    void ShowOptionsPage(const std::string& okText) override { okLabel = okText; }
    void SetFolderLine(const std::string& text, const std::string& tip) override {
        line = text;
        tooltip = tip;
    }
    void SetOptions(bool desktop, bool run) override {
        desktopIcon = desktop;
        runAfter = run;
    }
    bool DesktopIconChecked() const override { return desktopIcon; }
    bool RunAfterChecked() const override { return runAfter; }
    void EndWizard() override { ended = true; }

    std::string okLabel, line, tooltip;
    bool desktopIcon = false, runAfter = false, ended = false;
};

class WizardFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(home.Desktop());
        flow.Start();
    }

    ScratchHome home;
    RecordingView view;
    RecordingPrompt prompt;
    CSetupWizardFlow flow{view, prompt};
};

TEST_F(WizardFlowTest, StartsWithBothOptionsAndTheWholeFolderAsTooltip) {
    const std::string folder = home.DataHome() + "Corvane/";
    EXPECT_TRUE(view.desktopIcon);
    EXPECT_TRUE(view.runAfter);
    EXPECT_EQ(view.line, "Corvane Calculator will be installed in this folder:\n" + folder);
    EXPECT_EQ(view.tooltip, folder);
    prompt.folder = "/media/a very long folder name/";
    flow.OnChangeFolder();
    EXPECT_EQ(view.tooltip, "/media/a very long folder name/Corvane/");
    flow.OnOK();
    EXPECT_EQ(flow.Stage(), 1);
    EXPECT_EQ(view.okLabel, "Install");
    EXPECT_TRUE(prompt.messages.empty());
}

// A full disk once gave "Setup complete" with no uninstall entry, so nothing could remove it.
TEST_F(WizardFlowTest, UninstallEntryThatCannotBeWrittenIsSaidAndTheWizardStays) {
    fs::create_directories(home.Applications() + "Corvane Calculator/corvane-uninstall.desktop");
    view.runAfter = false;
    flow.OnOK();
    flow.OnOK();
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.messages[0].find("its uninstall command could not be registered:\nIs a "
                                      "directory\nWithout it, the installation cannot be undone."),
              std::string::npos)
        << prompt.messages[0];
    EXPECT_FALSE(view.ended);
    EXPECT_EQ(flow.Stage(), 1);
}

// On a noexec mount the installed program could not start, and the wizard ended silently with
// exit code 0.
TEST_F(WizardFlowTest, InstalledProgramThatCannotStartIsReported) {
    const SmallDisk disk(home.Root() + "noexec", "size=16m,mode=0755,noexec");
    if (!disk.Mounted())
        GTEST_SKIP() << "mounting a tmpfs needs root";
    prompt.folder = home.Root() + "noexec";
    flow.OnChangeFolder();
    flow.OnOK();
    flow.OnOK(); // installs and tries to start the installed program
    const std::string program = home.Root() + "noexec/Corvane/corvane";
    ASSERT_TRUE(Exists(program));
    EXPECT_EQ(prompt.messages,
              (std::vector<std::string>{"The installed program could not be started:\n" + program +
                                        "\nPermission denied"}));
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(flow.ExitCode(), 1);
}

} // namespace
