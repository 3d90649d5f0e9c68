// The start-up's choice between uninstall, setup and the calculator.
#include "uilogic/StartUpChoice.h"

#include "settings/TextTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kProgram = "/home/user/Zürich/計算/corvane";

TEST(StartUpChoice, TheSetupMarkerDecidesBetweenSetupAndTheCalculator) {
    EXPECT_EQ(ChooseStartRun({kProgram}, true), StartRun::Setup);
    EXPECT_EQ(ChooseStartRun({kProgram}, false), StartRun::Calculator);
    EXPECT_EQ(ChooseStartRun({}, false), StartRun::Calculator); // no arguments at all
    EXPECT_EQ(ChooseStartRun({kProgram, "sheet.txt"}, false), StartRun::Calculator);
}

TEST(StartUpChoice, TheUninstallSwitchCountsOnlyFirst) {
    const std::string uninstall = GetText(TextId::UninstallSwitch);
    EXPECT_EQ(ChooseStartRun({kProgram, uninstall}, false), StartRun::Uninstall);
    EXPECT_EQ(ChooseStartRun({kProgram, uninstall, "/home/user/Zürich/計算"}, true),
              StartRun::Uninstall);
    EXPECT_EQ(ChooseStartRun({kProgram, "x", uninstall}, false), StartRun::Calculator);
    // The program's own name is never the switch.
    EXPECT_EQ(ChooseStartRun({uninstall}, true), StartRun::Setup);
}

TEST(StartUpChoice, ArgumentsAfterTheProgramKeepTheirBytes) {
    EXPECT_EQ(ArgumentsAfterProgram({kProgram, "--uninstall", "/tmp/Zürich/計算"}),
              (std::vector<std::string>{"--uninstall", "/tmp/Zürich/計算"}));
    EXPECT_TRUE(ArgumentsAfterProgram({kProgram}).empty());
    EXPECT_TRUE(ArgumentsAfterProgram({}).empty());
    EXPECT_STREQ(StartRunName(StartRun::Setup), "setup");
    EXPECT_STREQ(StartRunName(StartRun::Calculator), "calculator");
}

} // namespace
