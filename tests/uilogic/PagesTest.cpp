// Filling the keypad, About and Help pages.
#include "uilogic/Pages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

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

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1))
        ++n;
    return n;
}

TEST(PagesTest, KeypadPageGetsItsPicturesAndKeyCells) {
    const std::string page = BuildPanelPage();
    for (const TextId placeholder : {TextId::PanelImage131, TextId::PanelImage133,
                                     TextId::PanelImage134, TextId::PanelImage135,
                                     TextId::PanelImage132}) {
        SCOPED_TRACE(static_cast<int>(placeholder));
        EXPECT_EQ(page.find(GetText(placeholder)), std::string::npos);
    }
    for (const int resource : {131, 132, 133, 134, 135}) {
        SCOPED_TRACE(resource);
        EXPECT_NE(page.find(ResourceAddress(resource)), std::string::npos);
    }
    // Every cell of the page, and nothing else, gets the mouse attributes.
    const size_t cells = Count(GetText(TextId::PanelPage), "<td");
    EXPECT_GT(cells, 20u);
    EXPECT_EQ(Count(page, kCellAttributes), cells);
    EXPECT_EQ(Count(page, "<td"), cells);
}

TEST(PagesTest, InfoPagesGetTheBannerAndEveryVersion) {
    const std::string version = GetText(TextId::Version);
    ASSERT_FALSE(version.empty());
    for (const TextId id : {TextId::AboutPage, TextId::HelpPage}) {
        SCOPED_TRACE(static_cast<int>(id));
        const std::string source = GetText(id);
        const std::string page = BuildInfoPage(id);
        EXPECT_EQ(page.find("$ver$"), std::string::npos);
        EXPECT_EQ(page.find(GetText(TextId::BannerPlaceholder)), std::string::npos);
        EXPECT_NE(page.find(ResourceAddress(140)), std::string::npos);
        EXPECT_GT(Count(source, "$ver$"), 0u);
        EXPECT_GE(Count(page, version), Count(source, "$ver$"));
    }
}

} // namespace
