// The document of a page view: pending text, appending writes, closing.
#include "uilogic/BrowserDocument.h"

#include <gtest/gtest.h>

namespace {

TEST(BrowserDocumentTest, WritesBeforeTheDocumentWaitAndComeOutAsOneTextInOrder) {
    BrowserDocument document;
    EXPECT_FALSE(document.Write("<p>one</p>"));
    EXPECT_FALSE(document.Write("<p>two</p>"));
    EXPECT_FALSE(document.Close()); // nothing to close yet; the pending text stays
    EXPECT_EQ(document.Pending(), "<p>one</p><p>two</p>");
    EXPECT_EQ(document.Text(), "");

    EXPECT_EQ(document.Acquire(), "<p>one</p><p>two</p>");
    EXPECT_TRUE(document.HasDocument());
    EXPECT_EQ(document.Pending(), "");
    EXPECT_EQ(document.Acquire(), ""); // a second completed navigation writes nothing again
}

TEST(BrowserDocumentTest, WritesAppendUntilClosedAndAWriteAfterCloseStartsANewPage) {
    BrowserDocument document;
    document.Acquire();
    const std::string big(6000, 'x'); // longer than any fixed buffer
    EXPECT_TRUE(document.Write("<p>a</p>"));
    EXPECT_TRUE(document.Write(big));
    EXPECT_EQ(document.Text(), "<p>a</p>" + big);

    EXPECT_TRUE(document.Close());
    EXPECT_TRUE(document.IsClosed());
    EXPECT_TRUE(document.Close()); // closing twice keeps it closed and empty
    EXPECT_TRUE(document.Write("<p>b</p>"));
    EXPECT_FALSE(document.IsClosed());
    EXPECT_EQ(document.Text(), "<p>b</p>");
}

TEST(BrowserDocumentTest, PagesAskForTheCurrentDocumentModeRightAfterTheirHead) {
    const std::string tag = "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">";
    EXPECT_EQ(AskForCurrentDocumentMode("<!DOCTYPE html><html><head><title>t</title>"),
              "<!DOCTYPE html><html><head>" + tag + "<title>t</title>");
    EXPECT_EQ(AskForCurrentDocumentMode("<HTML><HEAD lang=en><meta charset=utf-8>"),
              "<HTML><HEAD lang=en>" + tag + "<meta charset=utf-8>");
    // <header> is not the head; the real head after it is.
    EXPECT_EQ(AskForCurrentDocumentMode("<header>x</header><head>"),
              "<header>x</header><head>" + tag);
    // Pages that name a mode themselves, and texts without a head, stay as they are.
    const std::string own = "<head><meta http-equiv='x-ua-compatible' content='IE=9'>";
    EXPECT_EQ(AskForCurrentDocumentMode(own), own);
    EXPECT_EQ(AskForCurrentDocumentMode("<p>no head</p>"), "<p>no head</p>");
    EXPECT_EQ(AskForCurrentDocumentMode("<head"), "<head");
}

} // namespace
