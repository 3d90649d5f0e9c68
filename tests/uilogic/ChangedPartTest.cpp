// The changed part of a pane's text: what a front end selects and replaces.
#include "uilogic/ChangedPart.h"

#include <gtest/gtest.h>

namespace {

struct Part {
    int start, oldEnd, newEnd;
};

Part Of(const std::u16string& before, const std::u16string& after) {
    const ChangedPart part = FindChangedPart(before, after);
    EXPECT_EQ(part.changed, before != after);
    // Replacing the old part with the new one gives the new text.
    std::u16string result = before;
    result.replace(static_cast<size_t>(part.start), static_cast<size_t>(part.oldEnd - part.start),
                   after.substr(static_cast<size_t>(part.start),
                                static_cast<size_t>(part.newEnd - part.start)));
    EXPECT_EQ(result, after);
    return {part.start, part.oldEnd, part.newEnd};
}

TEST(ChangedPart, OnlyTheDifferenceIsReplaced) {
    const Part line = Of(u"2\r\n6\r\n8\r\n", u"2\r\n60\r\n8\r\n"); // CR LF, as Win32 panes hold
    EXPECT_EQ(line.start, 4);
    EXPECT_EQ(line.oldEnd, 4);
    EXPECT_EQ(line.newEnd, 5);
    const Part removed = Of(u"2\n6\n", u"6\n");
    EXPECT_EQ(removed.start, 0);
    EXPECT_EQ(removed.oldEnd, 2);
    EXPECT_EQ(removed.newEnd, 0);
    // Repeated text: the common start is taken first, the end never overlaps it.
    const Part repeated = Of(u"1\n1\n1\n", u"1\n1\n");
    EXPECT_EQ(repeated.start, 4);
    EXPECT_EQ(repeated.oldEnd, 6);
    const Part same = Of(u"abc", u"abc");
    EXPECT_EQ(same.start, 3);
    EXPECT_EQ(same.newEnd, 3);
    Of(u"", u"err\n");
    Of(u"err\n", u"");
}

TEST(ChangedPart, SurrogatePairsStayWhole) {
    // U+1F600 and U+1F601 share their high surrogate.
    const Part emoji = Of(u"a\U0001F600b", u"a\U0001F601b");
    EXPECT_EQ(emoji.start, 1);
    EXPECT_EQ(emoji.oldEnd, 3);
    EXPECT_EQ(emoji.newEnd, 3);
    // U+10400 and U+10800 share their low surrogate (DC00).
    const Part low = Of(u"x\U00010400", u"x\U00010800");
    EXPECT_EQ(low.start, 1);
    EXPECT_EQ(low.oldEnd, 3);
}

} // namespace
