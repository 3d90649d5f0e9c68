// The skinned push button's state machine and face, as both front ends paint it.
#include "uilogic/ButtonFace.h"

#include <gtest/gtest.h>

namespace {

TEST(ButtonTracker, HoverPressAndReleaseClickOnce) {
    ButtonTracker button;
    EXPECT_EQ(button.State(), ButtonState::Normal);
    button.MouseAt(true, false);
    EXPECT_EQ(button.State(), ButtonState::Hot);
    EXPECT_TRUE(button.Press());
    EXPECT_EQ(button.State(), ButtonState::Pressed);
    EXPECT_TRUE(button.Release());
    // Back to normal after the click, even though the mouse is still over the button.
    EXPECT_EQ(button.State(), ButtonState::Normal);
    EXPECT_FALSE(button.IsTracking());
    EXPECT_FALSE(button.Release()); // a second release without a press does nothing
}

TEST(ButtonTracker, LeavingWhileHeldAndComingBack) {
    ButtonTracker button;
    button.MouseAt(true, false);
    button.Press();
    button.MouseAt(false, true); // held: still tracked, but not hot
    EXPECT_TRUE(button.IsTracking());
    EXPECT_EQ(button.State(), ButtonState::Normal);
    button.MouseAt(true, true);
    EXPECT_EQ(button.State(), ButtonState::Pressed);
    button.MouseAt(false, true);
    EXPECT_FALSE(button.Release()); // released outside: no click
    EXPECT_EQ(button.State(), ButtonState::Normal);
}

TEST(ButtonTracker, MovingOutWithoutAButtonStopsTracking) {
    ButtonTracker button;
    button.MouseAt(true, false);
    button.MouseAt(false, false);
    EXPECT_FALSE(button.IsTracking());
    button.MouseAt(true, false);
    button.Leave();
    EXPECT_EQ(button.State(), ButtonState::Normal);
}

TEST(ButtonTracker, PressWithoutAMoveBeforeItStillClicks) {
    // A window that just appeared under the mouse.
    ButtonTracker button;
    EXPECT_TRUE(button.Press());
    EXPECT_TRUE(button.Release());
}

TEST(ButtonTracker, TheSecondPressOfADoubleClickDoesNotClick) {
    ButtonTracker button;
    button.MouseAt(true, false);
    button.Press();
    EXPECT_TRUE(button.Release());
    button.MouseAt(true, false);
    button.DoubleClick();
    EXPECT_FALSE(button.Release());
}

TEST(ButtonTracker, DisabledTakesNoMouseAndResetForgetsThePress) {
    ButtonTracker button;
    button.MouseAt(true, false);
    button.Press();
    button.SetDisabled(true);
    EXPECT_EQ(button.State(), ButtonState::Disabled);
    EXPECT_FALSE(button.IsTracking());
    EXPECT_FALSE(button.Press());
    button.MouseAt(true, false);
    EXPECT_FALSE(button.IsHover());
    button.SetDisabled(false);
    button.MouseAt(true, false);
    button.Press();
    button.Reset(); // hidden, or the capture lost
    EXPECT_EQ(button.State(), ButtonState::Normal);
    EXPECT_FALSE(button.Release());
}

TEST(ButtonFace, FrameColoursFollowTheState) {
    const ButtonFace normal = LayOutButtonFace(50, 20, ButtonState::Normal, false, true, false);
    EXPECT_EQ(normal.faceColour, Skin::ButtonFace);
    EXPECT_EQ(normal.topLeftColour, Skin::ButtonFrame);
    EXPECT_EQ(normal.bottomRightColour, Skin::ButtonFrame);
    const ButtonFace hot = LayOutButtonFace(50, 20, ButtonState::Hot, false, true, false);
    EXPECT_EQ(hot.faceColour, Skin::ButtonFaceHot);
    EXPECT_EQ(hot.topLeftColour, Skin::EdgeLight);
    EXPECT_EQ(hot.bottomRightColour, Skin::EdgeDark);
    const ButtonFace pressed = LayOutButtonFace(50, 20, ButtonState::Pressed, false, true, false);
    EXPECT_EQ(pressed.faceColour, Skin::ButtonFaceHot);
    EXPECT_EQ(pressed.topLeftColour, Skin::EdgeDark);
    EXPECT_EQ(pressed.bottomRightColour, Skin::EdgeLight);
    const ButtonFace off = LayOutButtonFace(50, 20, ButtonState::Disabled, false, true, false);
    EXPECT_EQ(off.faceColour, Skin::ButtonFace);
    EXPECT_EQ(off.textColour, Skin::ButtonTextDisabled);
}

TEST(ButtonFace, TheFrameIsOnePixelWithTheCornersOnTheBottomRight) {
    const ButtonFace f = LayOutButtonFace(50, 20, ButtonState::Normal, false, true, false);
    EXPECT_EQ(f.face, (ScreenBox{1, 1, 48, 18}));
    EXPECT_EQ(f.top, (ScreenBox{0, 0, 49, 1}));
    EXPECT_EQ(f.left, (ScreenBox{0, 0, 1, 19}));
    EXPECT_EQ(f.right, (ScreenBox{49, 0, 1, 20}));
    EXPECT_EQ(f.bottom, (ScreenBox{0, 19, 50, 1}));
}

TEST(ButtonFace, PictureBesideOrCentredAndSinkingWhenPressed) {
    // A picture alone is centred; with a caption it stands 6 pixels from the left edge.
    const ButtonFace alone = LayOutButtonFace(26, 26, ButtonState::Normal, true, false, false);
    EXPECT_EQ(alone.picture, PictureDraw::Normal);
    EXPECT_EQ(alone.pictureX, 5);
    EXPECT_EQ(alone.pictureY, 5);
    const ButtonFace beside = LayOutButtonFace(96, 28, ButtonState::Hot, true, true, false);
    EXPECT_EQ(beside.picture, PictureDraw::Hot);
    EXPECT_EQ(beside.pictureX, 6);
    EXPECT_EQ(beside.pictureY, 6);
    EXPECT_EQ(beside.text, (ScreenBox{16, 0, 80, 28}));
    const ButtonFace pressed = LayOutButtonFace(96, 28, ButtonState::Pressed, true, true, false);
    EXPECT_EQ(pressed.picture, PictureDraw::Normal);
    EXPECT_EQ(pressed.pictureX, 7);
    EXPECT_EQ(pressed.pictureY, 7);
    EXPECT_EQ(pressed.text, (ScreenBox{18, 2, 78, 26}));
    EXPECT_EQ(LayOutButtonFace(96, 28, ButtonState::Disabled, true, true, false).picture,
              PictureDraw::Greyed);
    EXPECT_EQ(LayOutButtonFace(96, 28, ButtonState::Hot, false, true, false).picture,
              PictureDraw::None);
}

TEST(ButtonFace, FocusLineUnderTheCaptionOnly) {
    const ButtonFace plain = LayOutButtonFace(50, 14, ButtonState::Normal, false, true, true);
    ASSERT_TRUE(plain.focusLine);
    EXPECT_EQ(plain.focus, (ScreenBox{2, 11, 44, 1}));
    const ButtonFace pressed = LayOutButtonFace(50, 14, ButtonState::Pressed, true, true, true);
    ASSERT_TRUE(pressed.focusLine);
    EXPECT_EQ(pressed.focus, (ScreenBox{30, 12, 16, 1}));
    EXPECT_FALSE(LayOutButtonFace(50, 14, ButtonState::Normal, false, true, false).focusLine);
    EXPECT_FALSE(LayOutButtonFace(26, 26, ButtonState::Normal, true, false, true).focusLine);
    // Too narrow for a line.
    EXPECT_FALSE(LayOutButtonFace(30, 14, ButtonState::Normal, true, true, true).focusLine);
}

TEST(ButtonFace, SizeHintLeavesRoomForThePicture) {
    EXPECT_EQ(ButtonSizeHint(30, 13, false), (BoxSize{46, 22}));
    EXPECT_EQ(ButtonSizeHint(30, 13, true), (BoxSize{68, 22}));
    EXPECT_EQ(ButtonSizeHint(0, 20, false), (BoxSize{22, 28}));
}

} // namespace
