#include "worksheet/Worksheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// Runs one pass, with the default formatting options unless a test sets others.
class WorksheetTest : public ::testing::Test {
protected:
    std::string Run(const std::string& text, bool explain = false) const {
        Worksheet worksheet;
        worksheet.SetExplainErrors(explain);
        worksheet.SetFormatOptions(options_);
        std::string results;
        worksheet.EvaluateText(text, results);
        return results;
    }

    FormatOptions options_;
};

struct PassCase {
    const char* text;
    const char* results;
};

// The exact results text, CR LF pairs included; line contents are covered by the golden
// worksheets, which go through the command line's LF conversion.
TEST_F(WorksheetTest, WholePasses) {
    const PassCase cases[] = {
        {"1+1", "2\r\n"},
        {"1+1\r\n", "2\r\n\r\n"},
        {"", "\r\n"},
        {"\r\n\r\n", "\r\n\r\n\r\n"},
        {"   ", "\r\n"},
        {"1\r\n   \r\n2", "1\r\n\r\n2\r\n"},
        {"x=4\r\nx*2\r\nx=x+1\r\nx", "4\r\n8\r\n5\r\n5\r\n"},
        {"//note\r\nx=//note\r\nx", "\r\n\r\nerr\r\n"},
        // A lone LF also ends a line; a lone CR stays in the line and is rejected.
        {"1\n2\r\n3", "1\r\n2\r\n3\r\n"},
        {"1\r2", "err\r\n"},
        {"1\r\r\n2", "err\r\n2\r\n"},
    };
    for (const PassCase& c : cases) {
        EXPECT_EQ(Run(c.text), c.results) << "text: " << c.text;
    }
}

TEST_F(WorksheetTest, ExplainedErrorsShowTheEngineMessage) {
    EXPECT_EQ(Run("1/0+5\r\n(1+2\r\n5%0.5\r\n//c", true),
              "err: div by 0 '5'\r\nerr: missing ) ''\r\nerr: internal err\r\n\r\n");
}

// A zero byte cannot end a line early: the line fails instead of showing a partial value.
TEST_F(WorksheetTest, ZeroByteFailsTheLine) {
    using namespace std::string_literals;
    EXPECT_EQ(Run("1\0+5\r\n2\r\nx=\0"s), "err\r\n2\r\nerr\r\n");
    EXPECT_EQ(Run("1\0+5"s, true), "err: invalid tok '\0+5'\r\n"s);
    Worksheet worksheet;
    std::string results;
    worksheet.EvaluateText("x=4\0"s, results);
    EXPECT_EQ(worksheet.m_variables.Count(), 0u);
}

TEST_F(WorksheetTest, AssignedIntegerStaysInteger) {
    Worksheet worksheet;
    std::string results;
    worksheet.EvaluateText("a=0x7\r\nb=7\r\nc=a/0x2\r\nd=b/0x2", results);
    EXPECT_EQ(results, "7\r\n7\r\n3\r\n3.5\r\n");
    ASSERT_EQ(worksheet.m_variables.Count(), 4u);
    EXPECT_EQ(worksheet.m_variables.GetVariable(0).kind, ValueKind::Integer);
    EXPECT_EQ(worksheet.m_variables.GetVariable(1).kind, ValueKind::Real);
    EXPECT_EQ(worksheet.m_variables.GetVariable(2).kind, ValueKind::Integer);
}

TEST_F(WorksheetTest, FailedLineLeavesVariablesUntouched) {
    Worksheet worksheet;
    std::string results;
    worksheet.EvaluateText("x=1/0\r\ny=sin(", results);
    EXPECT_EQ(results, "err\r\nerr\r\n");
    EXPECT_EQ(worksheet.m_variables.Count(), 0u);
}

TEST_F(WorksheetTest, CommentAfterAssignmentAssignsNothing) {
    Worksheet worksheet;
    std::string results;
    worksheet.EvaluateText("x=//note", results);
    EXPECT_EQ(results, "\r\n");
    EXPECT_EQ(worksheet.m_variables.Count(), 0u);
}

TEST_F(WorksheetTest, EvaluateLineShortensTheLine) {
    Worksheet worksheet;
    std::string line = "x=255,x";
    std::string result = "stale";
    worksheet.EvaluateLine(line, result);
    EXPECT_EQ(result, "FF");
    EXPECT_EQ(line, "255");
}

TEST_F(WorksheetTest, FollowsTheFormattingOptions) {
    options_.decimals = 2;
    options_.deleteTrailingZeros = 0;
    options_.groupDigits = 0;
    EXPECT_EQ(Run("1/3\r\n1234567\r\n0x10"), "0.33\r\n1234567.00\r\n16\r\n");
}

TEST_F(WorksheetTest, ManyLinesAndVariables) {
    options_.groupDigits = 0;
    std::string text;
    std::string expected;
    for (int i = 0; i < 2000; ++i) {
        text += "v" + std::to_string(i) + "=" + (i == 0 ? "1" : "v" + std::to_string(i - 1) + "+1");
        text += "\r\n";
        expected += std::to_string(i + 1) + "\r\n";
    }
    expected += "\r\n";
    const std::string results = Run(text);
    EXPECT_TRUE(results == expected)
        << "first difference at "
        << std::mismatch(results.begin(), results.end(), expected.begin(), expected.end()).first -
               results.begin();
}

struct AssignmentCase {
    const char* line;
    bool assigns;
    const char* name;
    const char* rest;
};

TEST(SplitAssignmentTest, CutsOnlyALeadingNameAndOneEquals) {
    const AssignmentCase cases[] = {
        {"x=4", true, "x", "4"},
        {"abc_1=x+1", true, "abc_1", "x+1"},
        {"_=1", true, "_", "1"},
        {"a==3", true, "a", "=3"},
        {"a=b=3", true, "a", "b=3"},
        {"x=", true, "x", ""},
        {"2a=3", false, "", "2a=3"},
        {"=3", false, "", "=3"},
        {"x", false, "", "x"},
        {"x+1=2", false, "", "x+1=2"},
        {"", false, "", ""},
        {"x1", false, "", "x1"},
        {"\xe9=1", false, "", "\xe9=1"},
    };
    for (const AssignmentCase& c : cases) {
        std::string line = c.line;
        std::string name;
        EXPECT_EQ(SplitAssignment(line, name), c.assigns) << c.line;
        EXPECT_EQ(name, c.name) << c.line;
        EXPECT_EQ(line, c.rest) << c.line;
    }
}

} // namespace
