// The pane's '\n' text against the program's CR LF text and positions.
#include "uilogic/PaneText.h"

#include <gtest/gtest.h>

namespace {

TEST(PaneTextTest, PositionsRoundTrip) {
    struct Case {
        const char* name;
        std::u16string pane;
        int cursor;
        int crlf;
    };
    const Case cases[] = {
        {"start", u"ab\ncd", 0, 0},
        {"end of first line", u"ab\ncd", 2, 2},
        {"start of second line", u"ab\ncd", 3, 4},
        {"end", u"ab\ncd", 5, 6},
        {"empty lines", u"\n\n\nx", 3, 6},
        {"after last break", u"1\n2\n", 4, 6},
        {"non-ascii counts one", u"\u00e9\nx", 2, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CrLfPosFromCursor(c.pane, c.cursor), c.crlf);
        EXPECT_EQ(CursorPosFromCrLf(c.pane, c.crlf), c.cursor);
        const size_t crlf = static_cast<size_t>(c.crlf);
        const size_t cursor = static_cast<size_t>(c.cursor);
        EXPECT_EQ(WithCrLf(c.pane).substr(0, crlf), WithCrLf(c.pane.substr(0, cursor)));
    }
}

TEST(PaneTextTest, PositionInsideLineBreakOrOutOfRange) {
    // Between CR and LF: the end of that line. Out of range: clamped.
    EXPECT_EQ(CursorPosFromCrLf(u"ab\ncd", 3), 2);
    EXPECT_EQ(CursorPosFromCrLf(u"ab\ncd", 99), 5);
    EXPECT_EQ(CursorPosFromCrLf(u"ab\ncd", -4), 0);
    EXPECT_EQ(CrLfPosFromCursor(u"ab\ncd", 99), 6);
    EXPECT_EQ(CrLfPosFromCursor(u"ab\ncd", -1), 0);
}

TEST(PaneTextTest, ProgramTextLineBreaks) {
    EXPECT_EQ(ProgramTextFromPaneLines("1+1\n2*3\n"), "1+1\r\n2*3\r\n");
    EXPECT_EQ(PaneLinesFromProgramText("1+1\r\n2*3\r\n"), "1+1\n2*3\n");
    // A lone CR or LF breaks a line too; CR CR LF is two breaks.
    EXPECT_EQ(PaneLinesFromProgramText("a\rb\nc"), "a\nb\nc");
    EXPECT_EQ(PaneLinesFromProgramText("a\r\r\nb\r"), "a\n\nb\n");
    // Bytes other than line breaks pass unchanged both ways.
    const std::string accented = "x=\xc3\xa9\n\x01";
    EXPECT_EQ(PaneLinesFromProgramText(ProgramTextFromPaneLines(accented)), accented);
}

TEST(PaneTextTest, CrLfWrittenAndRemoved) {
    EXPECT_EQ(WithCrLf(u"a\n\nb"), u"a\r\n\r\nb");
    EXPECT_EQ(WithoutCrLf(u"a\r\n\r\nb"), u"a\n\nb");
    // Only a CR directly before an LF belongs to a break.
    EXPECT_EQ(WithoutCrLf(u"a\r\r\nb\r"), u"a\r\nb\r");
    EXPECT_EQ(WithoutCrLf(WithCrLf(u"\n1\n\n")), u"\n1\n\n");
}

} // namespace
