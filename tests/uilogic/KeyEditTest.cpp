// The key table and the edits keys make, on CR LF text and on the pane's own form.
#include "uilogic/KeyEdit.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyEditTest, EditsNoPageKeyMakes) {
    // The keypad test presses every key of the page; these are the cases no page key makes.
    struct Case {
        const char* name;
        const char* key;
        std::u16string text;
        int selStart;
        int selEnd;
        bool changed;
        std::u16string result;
        int caret;
    };
    const Case cases[] = {
        {"reversed selection", "n0", u"abc", 3, 1, true, u"a0", 2},
        {"n with any character", "nA", u"", 0, 0, true, u"A", 1},
        {"del after an empty line", "del", u"\r\n", 2, 2, true, u"", 0},
        {"unknown key", "foo", u"abc", 1, 1, false, u"", 0},
        {"case matters", "SIN", u"abc", 1, 1, false, u"", 0},
        {"n key too long", "n12", u"abc", 1, 1, false, u"", 0},
        {"selection past end clamped", "n1", u"ab", 1, 99, true, u"a1", 2},
        {"8-bit character key", "n\xe9", u"", 0, 0, true, u"\u00e9", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const KeyEdit edit = ApplyKey(c.key, c.text, c.selStart, c.selEnd);
        EXPECT_EQ(edit.textChanged, c.changed);
        EXPECT_EQ(edit.move, CaretMove::None);
        if (c.changed) {
            EXPECT_EQ(edit.text, c.result);
            EXPECT_EQ(edit.caret, c.caret);
        }
    }
}

TEST(KeyEditTest, ArrowKeysOnlyMove) {
    const std::pair<const char*, CaretMove> arrows[] = {{"up", CaretMove::Up},
                                                        {"dn", CaretMove::Down},
                                                        {"le", CaretMove::Left},
                                                        {"ri", CaretMove::Right}};
    for (const auto& [key, move] : arrows) {
        SCOPED_TRACE(key);
        const KeyEdit edit = ApplyKey(key, u"1\r\n2", 1, 1);
        EXPECT_FALSE(edit.textChanged);
        EXPECT_EQ(edit.move, move);
        EXPECT_FALSE(ApplyKeyToPane(key, u"1\n2", 1, 1).textChanged);
    }
}

TEST(KeyEditTest, PaneFormConvertsPositionsBothWays) {
    // "del" at the start of the second line joins the lines: the break goes as a whole.
    KeyEdit edit = ApplyKeyToPane("del", u"12\n34", 3, 3);
    ASSERT_TRUE(edit.textChanged);
    EXPECT_EQ(edit.text, u"1234");
    EXPECT_EQ(edit.caret, 2);
    // "ent" inserts a break; the caret lands at the start of the new line, in pane positions.
    edit = ApplyKeyToPane("ent", u"a\nbc", 3, 3);
    ASSERT_TRUE(edit.textChanged);
    EXPECT_EQ(edit.text, u"a\nb\nc");
    EXPECT_EQ(edit.caret, 4);
    // A selection across a break, given backwards, is replaced; the caret sits inside "sin()".
    edit = ApplyKeyToPane("sin", u"1\n2\n3", 3, 1);
    ASSERT_TRUE(edit.textChanged);
    EXPECT_EQ(edit.text, u"1sin()\n3");
    EXPECT_EQ(edit.caret, 5);
}

TEST(KeyEditTest, KeyAddresses) {
    struct Case {
        const char* url;
        bool isKey;
        const char* key;
    };
    const Case cases[] = {
        {"keylnk:sin", true, "sin"},         {"keylnk:sin/", true, "sin"},
        {"keylnk:sin///", true, "sin"},      {"keylnk:", true, ""},
        {"https://example.org/", false, ""}, {"keylnk", false, ""},
        {"KEYLNK:sin", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        std::string found = "untouched";
        EXPECT_EQ(KeyNameFromAddress(c.url, "keylnk:", found), c.isKey);
        EXPECT_EQ(found, c.isKey ? std::string(c.key) : std::string("untouched"));
    }
    std::string found;
    EXPECT_FALSE(KeyNameFromAddress("keylnk:sin", "key", found)); // a prefix under 7 characters
}

} // namespace
