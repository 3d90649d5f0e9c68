#include "uilogic/Placement.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

const FrameWidths kOpenboxFrame{1, 20, 1, 5};
const ScreenBox kWorkArea{0, 0, 1280, 800};

// One run of the window as the toolkit lives it: the inside is first put on the wanted outer
// rectangle, the frame arrives late, and closing records frame plus inside.
ScreenBox StartAndClose(CalcSettings& settings, const FrameWidths& frame) {
    StartPlacement start(StartOuterBox(settings, kWorkArea));
    ScreenBox inner = start.WantedOuter();
    ScreenBox fitted;
    EXPECT_FALSE(start.OnFrame(FrameWidths(), fitted)); // not yet known
    if (start.OnFrame(frame, fitted))
        inner = fitted;
    const ScreenBox outer = OuterFromInner(inner, frame);
    RecordPlacement(settings, outer, false);
    return outer;
}

} // namespace

TEST(Placement, FirstRunIsCentredAtDefaultSizeAndRecorded) {
    CalcSettings settings;
    const ScreenBox outer = StartOuterBox(settings, kWorkArea);
    EXPECT_EQ(outer, (ScreenBox{385, 257, 510, 285}));
    EXPECT_EQ(settings.m_windowRect.right, 510);
    EXPECT_EQ(settings.m_windowRect.bottom, 285);
    EXPECT_EQ(settings.m_windowState, WindowState::NeverSaved);

    // A work area that does not start at the origin (a panel on the left or top).
    CalcSettings again;
    EXPECT_EQ(StartOuterBox(again, ScreenBox{100, 30, 1180, 770}), (ScreenBox{435, 272, 510, 285}));
}

TEST(Placement, StoredRectangleIsTheOuterOneEitherWay) {
    CalcSettings settings;
    settings.m_windowState =
        WindowState::Minimised; // minimised at the last close: the rectangle still applies
    settings.m_windowRect = {384, 237, 896, 547};
    EXPECT_EQ(StartOuterBox(settings, kWorkArea), (ScreenBox{384, 237, 512, 310}));

    const ScreenBox inner = InnerFromOuter({384, 237, 512, 310}, kOpenboxFrame);
    EXPECT_EQ(inner, (ScreenBox{385, 257, 510, 285}));
    EXPECT_EQ(OuterFromInner(inner, kOpenboxFrame), (ScreenBox{384, 237, 512, 310}));
}

TEST(Placement, TwentyStartsAndClosesLeaveTheRectangleAsItWas) {
    for (const FrameWidths& frame : {kOpenboxFrame, FrameWidths{4, 30, 4, 4}, FrameWidths()}) {
        CalcSettings settings; // first run
        const ScreenBox first = StartAndClose(settings, frame);
        EXPECT_EQ(first, (ScreenBox{385, 257, 510, 285}));
        const WindowRect stored = settings.m_windowRect;
        for (int run = 0; run < 20; ++run)
            EXPECT_EQ(StartAndClose(settings, frame), first) << "run " << run;
        EXPECT_EQ(settings.m_windowRect.left, stored.left);
        EXPECT_EQ(settings.m_windowRect.top, stored.top);
        EXPECT_EQ(settings.m_windowRect.right, stored.right);
        EXPECT_EQ(settings.m_windowRect.bottom, stored.bottom);
        EXPECT_EQ(settings.m_windowState, WindowState::Normal);
    }
}

TEST(Placement, LateFrameIsFittedOnceOnly) {
    StartPlacement start({100, 80, 510, 285});
    ScreenBox inner;
    EXPECT_FALSE(start.OnFrame(FrameWidths(), inner));
    EXPECT_TRUE(start.IsPending());
    ASSERT_TRUE(start.OnFrame(kOpenboxFrame, inner));
    EXPECT_EQ(inner, (ScreenBox{101, 100, 508, 260}));
    EXPECT_FALSE(start.IsPending());
    // Afterwards the window belongs to the user: a later report changes nothing.
    inner = ScreenBox();
    EXPECT_FALSE(start.OnFrame(FrameWidths{4, 30, 4, 4}, inner));
    EXPECT_EQ(inner, ScreenBox());
}

TEST(Placement, MinimumSizesApplyToTheOuterWindow) {
    EXPECT_EQ(MinimumInnerSize(true, kOpenboxFrame), (BoxSize{448, 220}));
    EXPECT_EQ(MinimumInnerSize(false, kOpenboxFrame), (BoxSize{198, 55}));
    // Without a known frame the inside is the whole window.
    EXPECT_EQ(MinimumInnerSize(true, FrameWidths()), (BoxSize{450, 245}));
    EXPECT_EQ(MinimumInnerSize(false, FrameWidths()), (BoxSize{200, 80}));
}

TEST(Placement, OnlyAMinimisedCloseStartsMinimised) {
    CalcSettings settings;
    EXPECT_FALSE(StartsMinimised(settings)); // never saved
    RecordPlacement(settings, {50, 60, 600, 300}, true);
    EXPECT_TRUE(StartsMinimised(settings));
    RecordPlacement(settings, {50, 60, 600, 300}, false);
    EXPECT_FALSE(StartsMinimised(settings));
    settings.m_windowState = static_cast<WindowState>(7); // from a hand-edited file
    EXPECT_FALSE(StartsMinimised(settings));
}

TEST(Placement, MinimisedCloseKeepsTheLastRectangle) {
    CalcSettings settings;
    settings.m_windowRect = {10, 20, 520, 305};
    RecordPlacement(settings, {0, 0, 160, 30}, true);
    EXPECT_EQ(settings.m_windowState, WindowState::Minimised);
    EXPECT_EQ(settings.m_windowRect.left, 10);
    EXPECT_EQ(settings.m_windowRect.bottom, 305);

    RecordPlacement(settings, {50, 60, 600, 300}, false);
    EXPECT_EQ(settings.m_windowState, WindowState::Normal);
    EXPECT_EQ(settings.m_windowRect.left, 50);
    EXPECT_EQ(settings.m_windowRect.top, 60);
    EXPECT_EQ(settings.m_windowRect.right, 650);
    EXPECT_EQ(settings.m_windowRect.bottom, 360);
}

TEST(Placement, AWindowOffEveryScreenComesFullyOntoTheNearest) {
    const std::vector<ScreenBox> one{kWorkArea};
    // Left from a larger or second monitor: only a corner would show.
    EXPECT_EQ(OntoNearestScreen({2000, 1500, 510, 285}, one), (ScreenBox{770, 515, 510, 285}));
    EXPECT_EQ(OntoNearestScreen({-600, 100, 510, 285}, one), (ScreenBox{0, 100, 510, 285}));
    // Half over an edge: pulled in just far enough.
    EXPECT_EQ(OntoNearestScreen({1000, -40, 510, 285}, one), (ScreenBox{770, 0, 510, 285}));
    // Larger than the screen: cut to it.
    EXPECT_EQ(OntoNearestScreen({100, 100, 1500, 900}, one), (ScreenBox{0, 0, 1280, 800}));
    // Wholly on the screen: left alone, as is a window with no screens to go by.
    EXPECT_EQ(OntoNearestScreen({384, 237, 512, 310}, one), (ScreenBox{384, 237, 512, 310}));
    EXPECT_EQ(OntoNearestScreen({2000, 1500, 510, 285}, {}), (ScreenBox{2000, 1500, 510, 285}));
}

TEST(Placement, TheNearestOfTwoScreensIsTheOneOverlappedMostElseTheClosest) {
    // A 1280 x 800 screen with a 1920 x 1080 one to its right, its work area below a panel.
    const std::vector<ScreenBox> two{kWorkArea, {1280, 30, 1920, 1050}};
    // Across both and wholly covered: a window may stand on two monitors.
    EXPECT_EQ(OntoNearestScreen({1000, 300, 510, 285}, two), (ScreenBox{1000, 300, 510, 285}));
    // Mostly on the right one, partly off its top: onto the right one.
    EXPECT_EQ(OntoNearestScreen({1200, 0, 510, 285}, two), (ScreenBox{1280, 30, 510, 285}));
    // Below both, nearer the right one's bottom edge than the left one's.
    EXPECT_EQ(OntoNearestScreen({2500, 1200, 510, 285}, two), (ScreenBox{2500, 795, 510, 285}));
    EXPECT_EQ(OntoNearestScreen({100, 1000, 510, 285}, two), (ScreenBox{100, 515, 510, 285}));
}

TEST(Placement, AMaximisedWindowStoresItsNormalRectangle) {
    const ScreenBox maximised{0, 0, 1280, 800};
    const ScreenBox normalInner{101, 100, 508, 260};
    EXPECT_EQ(NormalOuterBox(maximised, true, normalInner, kOpenboxFrame),
              (ScreenBox{100, 80, 510, 285}));
    EXPECT_EQ(NormalOuterBox({100, 80, 510, 285}, false, normalInner, kOpenboxFrame),
              (ScreenBox{100, 80, 510, 285}));
}

// A hand-edited or damaged file: the window still starts wholly on the screen, at a size it
// can have, and the stored numbers stay as they were until the window is closed.
TEST(Placement, AnOddStoredRectangleStillStartsWhollyOnTheScreen) {
    constexpr int32_t kLow = std::numeric_limits<int32_t>::min();
    constexpr int32_t kHigh = std::numeric_limits<int32_t>::max();
    struct Case {
        WindowRect stored;
        int32_t keypad;
        ScreenBox expected;
    };
    const Case cases[] = {
        {{5000, 5000, 100, 100}, 1, {385, 257, 510, 285}}, // reversed: as a first run
        {{100, 100, 100, 400}, 1, {385, 257, 510, 285}},   // no width
        {{100, 100, 0, 0}, 1, {385, 257, 510, 285}},       // right and bottom missing
        // 1 x 1 in the screen's last pixel: the minimum size, pulled onto the screen
        {{1279, 799, 1280, 800}, 1, {830, 555, 450, 245}},
        {{1279, 799, 1280, 800}, 0, {1080, 720, 200, 80}},
        // sides too long for an int, or near the ends of its range
        {{kLow, 0, kHigh, 300}, 1, {0, 0, 1280, 300}},
        {{kHigh - 10, kHigh - 10, kHigh, kHigh}, 1, {830, 555, 450, 245}},
        {{kLow, kLow, kLow + 600, kLow + 400}, 1, {0, 0, 600, 400}},
    };
    for (const Case& c : cases) {
        CalcSettings settings;
        settings.m_windowState = WindowState::Normal;
        settings.m_windowRect = c.stored;
        settings.m_showButtons = c.keypad;
        SCOPED_TRACE(std::to_string(c.stored.left) + ' ' + std::to_string(c.stored.top) + ' ' +
                     std::to_string(c.stored.right) + ' ' + std::to_string(c.stored.bottom));
        EXPECT_EQ(OntoNearestScreen(StartOuterBox(settings, kWorkArea), {kWorkArea}), c.expected);
        EXPECT_EQ(settings.m_windowRect.left, c.stored.left);
        EXPECT_EQ(settings.m_windowRect.bottom, c.stored.bottom);
        EXPECT_EQ(settings.m_windowState, WindowState::Normal);
    }
}
