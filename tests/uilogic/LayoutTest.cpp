// The main window's layout: where the panes, the small buttons and the keypad stand.
#include "uilogic/Layout.h"
#include "uilogic/Placement.h"

#include <gtest/gtest.h>

#include <ostream>

// Readable rectangles in failure messages.
void PrintTo(const ScreenBox& box, std::ostream* out) {
    *out << "(" << box.x << ", " << box.y << ", " << box.width << " x " << box.height << ")";
}

namespace {

int Right(const ScreenBox& box) {
    return box.x + box.width;
}

int Bottom(const ScreenBox& box) {
    return box.y + box.height;
}

TEST(Layout, PanesBesideTheKeypad) {
    for (const int cx : {450, 600, 1203}) {
        SCOPED_TRACE(cx);
        const int cy = 301;
        const MainLayout layout = LayOutMainWindow(cx, cy, true);
        // The keypad fills the right edge, from the top to one pixel above the bottom.
        EXPECT_EQ(layout.keypad, (ScreenBox{cx - 178, 0, 178, cy - 1}));
        // The results pane, 150 wide, ends 3 pixels before the keypad; the expression pane
        // takes the rest of the width, 2 pixels left of it.
        EXPECT_EQ(layout.results.width, 150);
        EXPECT_EQ(Right(layout.results) + 3, layout.keypad.x);
        EXPECT_EQ(layout.expressions.x, 0);
        EXPECT_EQ(Right(layout.expressions) + 2, layout.results.x);
        // Both panes run from below the small buttons to one pixel above the bottom.
        for (const ScreenBox& pane : {layout.expressions, layout.results}) {
            EXPECT_EQ(pane.y, 22);
            EXPECT_EQ(Bottom(pane), cy - 1);
        }
        // The panel button stands above the results pane's right end.
        EXPECT_EQ(layout.panelButton, (ScreenBox{Right(layout.results) - 21, 1, 20, 20}));
    }
}

TEST(Layout, PanesTakeTheWholeWidthWithoutTheKeypad) {
    const MainLayout layout = LayOutMainWindow(500, 200, false);
    EXPECT_EQ(Right(layout.results), 500);
    EXPECT_EQ(layout.expressions.width, 500 - 152);
    EXPECT_EQ(Right(layout.panelButton), 499);
    // The hidden keypad keeps its place at the right edge, ready to be shown.
    EXPECT_EQ(layout.keypad, (ScreenBox{322, 0, 178, 199}));
}

TEST(Layout, ShowingTheKeypadWidensTheWindowByItsWidth) {
    for (const int cx : {200, 333, 640}) {
        SCOPED_TRACE(cx);
        const MainLayout hidden = LayOutMainWindow(cx, 250, false);
        const int widened = WidthAfterPanelToggle(cx, true);
        const MainLayout shown = LayOutMainWindow(widened, 250, true);
        // The keypad stands where the window's right edge was; the panes give up only the
        // 3-pixel gap before it.
        EXPECT_EQ(shown.keypad.x, cx);
        EXPECT_EQ(shown.expressions.width, hidden.expressions.width - 3);
        EXPECT_EQ(shown.results.x, hidden.results.x - 3);
        EXPECT_EQ(shown.panelButton.x, hidden.panelButton.x - 3);
        EXPECT_EQ(WidthAfterPanelToggle(widened, false), cx);
    }
}

TEST(Layout, EveryPaneKeepsItsSpaceAtTheMinimumSize) {
    for (const bool panelShown : {true, false}) {
        SCOPED_TRACE(panelShown);
        const BoxSize least = MinimumInnerSize(panelShown, FrameWidths{});
        const MainLayout layout = LayOutMainWindow(least.width, least.height, panelShown);
        EXPECT_GT(layout.expressions.width, 0);
        EXPECT_GT(layout.expressions.height, 0);
        // The panel button does not run into the small buttons.
        EXPECT_GT(layout.panelButton.x, Right(layout.smallButtons.back()));
    }
}

TEST(Layout, EveryKeyShowsWholeAtTheMinimumSize) {
    EXPECT_EQ(KeypadLeastHeight(), 211);
    // No frame, the frame of openbox, a Windows caption with thin edges and with thick ones.
    for (const FrameWidths& frame : {FrameWidths{}, FrameWidths{1, 20, 1, 5},
                                     FrameWidths{3, 26, 3, 3}, FrameWidths{8, 31, 8, 8}}) {
        SCOPED_TRACE(frame.top);
        const BoxSize least = MinimumInnerSize(true, frame);
        EXPECT_GE(LayOutMainWindow(least.width, least.height, true).keypad.height,
                  KeypadLeastHeight());
        // The outer minimum stays 450 x 245 wherever the keypad fits in it.
        if (frame.top + frame.bottom <= 245 - 212) {
            EXPECT_EQ(least.height + frame.top + frame.bottom, 245);
        }
    }
}

} // namespace
