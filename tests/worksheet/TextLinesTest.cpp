#include "worksheet/TextLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    ForEachLine(text,
                [&](size_t start, size_t length) { lines.push_back(text.substr(start, length)); });
    return lines;
}

using LineList = std::vector<std::string>;

// LF and CR LF end a line; a lone CR is part of the line, also right before a CR LF.
TEST(TextLines, LinesEndAtLfWithAnOptionalCr) {
    EXPECT_EQ(Lines(""), LineList({""}));
    EXPECT_EQ(Lines("a"), LineList({"a"}));
    EXPECT_EQ(Lines("a\nb\r\nc"), LineList({"a", "b", "c"}));
    EXPECT_EQ(Lines("a\r\n"), LineList({"a", ""}));
    EXPECT_EQ(Lines("\n\r\n"), LineList({"", "", ""}));
    EXPECT_EQ(Lines("a\rb"), LineList({"a\rb"}));
    EXPECT_EQ(Lines("a\r\r\nb"), LineList({"a\r", "b"}));
    EXPECT_EQ(Lines("\r"), LineList({"\r"}));
    EXPECT_EQ(Lines(std::string("a\0\nb", 4)), LineList({std::string("a\0", 2), "b"}));
}

TEST(TextLines, BreaksRewrittenAndLoneCrsKept) {
    EXPECT_EQ(WithLineBreaks("a\nb\r\nc", "\r\n"), "a\r\nb\r\nc");
    EXPECT_EQ(WithLineBreaks("a\r\n\r\n", "\n"), "a\n\n");
    EXPECT_EQ(WithLineBreaks("a\r\r\nb\rc", "\n"), "a\r\nb\rc");
    EXPECT_EQ(WithLineBreaks("", "\r\n"), "");
    EXPECT_EQ(WithLineBreaks("\n", "\r\n"), "\r\n");
}

} // namespace
