// Filling the keypad, About and Help pages.
#include "uilogic/Pages.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(PagesTest, CellAttributesGoIntoEveryKeyCell) {
    EXPECT_EQ(std::strlen(kCellAttributes), size_t(142));
    std::string page = "<tr><td id=\"a\">a</td><td class=\"x\">b</td></tr>";
    ReplaceAll(page, "<td", kCellAttributes);
    EXPECT_EQ(page.find("<td id="), std::string::npos);
    EXPECT_NE(page.find("ondblclick='ent(this)' id=\"a\">"), std::string::npos);
    EXPECT_NE(page.find("onMouseOut='ov(this,0)'onmousedown"), std::string::npos);
}

TEST(PagesTest, ReplaceAllDoesNotRescan) {
    std::string text = "<td<td";
    ReplaceAll(text, "<td", "<td x");
    EXPECT_EQ(text, "<td x<td x");
    std::string ver = "$ver$ and $ver$";
    ReplaceAll(ver, "$ver$", "1.0");
    EXPECT_EQ(ver, "1.0 and 1.0");
    std::string same = "abc";
    ReplaceAll(same, "", "x");
    EXPECT_EQ(same, "abc");
}

TEST(PagesTest, TheBannerComesInTwoSizes) {
    for (const TextId page : {TextId::AboutPage, TextId::HelpPage}) {
        const std::string text = BuildInfoPage(page);
        std::string one = "$";
        std::string two = "$";
        ReplaceWithResourceAddress(one, "$", 140);
        ReplaceWithResourceAddress(two, "$", 142);
        EXPECT_NE(text.find("src=\"" + one + "\" srcset=\"" + two +
                            " 2x\" width=\"293\" "
                            "height=\"64\""),
                  std::string::npos)
            << text.substr(0, 1200);
        EXPECT_EQ(text.find(GetText(TextId::BannerPlaceholder)), std::string::npos);
    }
}

// Help speaks of the calculator as installed: its keypad (which has an "=" key) and its
// tooltips, not of the command-line program that comes only with the sources.
TEST(PagesTest, HelpTellsWhatTheInstalledCalculatorHas) {
    const std::string help = BuildInfoPage(TextId::HelpPage);
    const std::string keypad = BuildPanelPage();
    EXPECT_NE(keypad.find("id=\"equ\""), std::string::npos);
    EXPECT_EQ(help.find("no \"=\" key"), std::string::npos);
    EXPECT_NE(help.find("<b>=</b> key"), std::string::npos);
    EXPECT_EQ(help.find("corvane-sheet"), std::string::npos);
    EXPECT_EQ(help.find("--why"), std::string::npos);
}

} // namespace
