#include "uilogic/ResultTip.h"

#include <gtest/gtest.h>

TEST(ResultTip, ExplainedLineIsThePickedLineInPlainWordsThenTheEngines) {
    // Variables carry down the sheet; the explanation of a line sees them as the pane does.
    const std::string sheet = "x=4\r\n\r\nx/0\r\nx*y\r\n0x10";
    EXPECT_EQ(ExplainedResultLine(sheet, 0), "4");
    EXPECT_EQ(ExplainedResultLine(sheet, 1), "");
    EXPECT_EQ(ExplainedResultLine(sheet, 2),
              "err: At character 2, `/` divides by zero.\ndiv by 0 ''");
    EXPECT_EQ(ExplainedResultLine(sheet, 3),
              "err: At character 3, `y` is not a function, a constant or a variable.\n"
              "unknown const 'y'");
    EXPECT_EQ(ExplainedResultLine(sheet, 4), "16");
    EXPECT_EQ(ExplainedResultLine(sheet, 5), ""); // past the end
    EXPECT_EQ(ExplainedResultLine("", 0), "");
    EXPECT_EQ(ExplainedResultLine(sheet, -1), "");
}

TEST(ResultTip, CutOffOnEitherSide) {
    EXPECT_FALSE(IsResultCutOff(4, 100, 150));
    EXPECT_FALSE(IsResultCutOff(0, 150, 150)); // fits exactly
    EXPECT_TRUE(IsResultCutOff(4, 147, 150));  // runs past the right edge
    EXPECT_TRUE(IsResultCutOff(-30, 60, 150)); // scrolled: its start is hidden
    EXPECT_FALSE(IsResultCutOff(-30, 0, 150)); // an empty line hides nothing
}

TEST(ResultTip, OnlyErrNeedsTheSheetExplained) {
    EXPECT_TRUE(NeedsExplanation("err"));
    EXPECT_FALSE(NeedsExplanation("42"));
    EXPECT_FALSE(NeedsExplanation(""));
    EXPECT_FALSE(NeedsExplanation("err: div by 0 ''"));
}

TEST(ResultTip, ErrTellsWhyCutResultShowsWholeOtherwiseNothing) {
    EXPECT_EQ(ResultToolTip("err", "err: At character 2, `/` divides by zero.\ndiv by 0 ''", false),
              "At character 2, `/` divides by zero.\ndiv by 0 ''");
    EXPECT_EQ(ResultToolTip("err", "err: unknown const 'y'", true), "unknown const 'y'");
    EXPECT_EQ(ResultToolTip("18 446 744 073 709 551 615", "18 446 744 073 709 551 615", true),
              "18 446 744 073 709 551 615");
    EXPECT_EQ(ResultToolTip("42", "42", false), "");
    EXPECT_EQ(ResultToolTip("", "", true), "");
    // An explanation that does not match the line (the sheet changed meanwhile) says nothing.
    EXPECT_EQ(ResultToolTip("err", "42", false), "");
}

// The engine's message quotes the rest of the line, as long as the line may be: the tooltip
// keeps its start, whole characters only, so that it stays narrower than the screen.
TEST(ResultTip, ALongEngineMessageIsCutShort) {
    const std::string plain = "At character 1, `xxxxxxxxxxxxxxxxxxxxxxxx…` is not a function, a "
                              "constant or a variable.";
    const std::string tip = ResultToolTip(
        "err", "err: " + plain + "\nunknown const '" + std::string(100000, 'x') + "'", false);
    EXPECT_EQ(tip, plain + "\nunknown const '" + std::string(49, 'x') + "…'");
    // Cut before a character outside ASCII, never inside it; a message without a quote at its
    // end gets none.
    const std::string greek = "invalid tok '" + std::string(50, '1') + "ππππ'";
    EXPECT_EQ(ResultToolTip("err", "err: p\n" + greek, false),
              "p\ninvalid tok '" + std::string(50, '1') + "π…'");
    EXPECT_EQ(ResultToolTip("err", "err: p\n" + std::string(70, 'm'), false),
              "p\n" + std::string(64, 'm') + "…");
    // A message of the greatest length is left whole.
    const std::string full = "div by 0 '" + std::string(53, '7') + "'";
    EXPECT_EQ(ResultToolTip("err", "err: p\n" + full, false), "p\n" + full);
}
