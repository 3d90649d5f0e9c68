#pragma once

#include "uilogic/Geometry.h"
#include "uilogic/SkinColors.h"

// The flat skinned push button, without a toolkit: the state its mouse and keys leave it in
// (ButtonTracker), and where each part of its face is painted in which colour (ButtonFace).

enum class ButtonState { Normal = 1, Hot = 2, Pressed = 3, Disabled = 4 };

// Hover, press and disabled state. The front end reports the mouse and the enabled state and
// repaints after each report; a press sets the focus to the button.
class ButtonTracker {
public:
    // The mouse moved over the button (or entered it); inside: the point lies within it. The
    // first report starts tracking (hot); leaving without the left button held stops it. While
    // the button is held the mouse may leave and come back (captured).
    void MouseAt(bool inside, bool leftHeld);
    // The system says the mouse left: tracking stops (only reported while tracking).
    void Leave();
    // Left button down: false when disabled (the press is not the button's).
    bool Press();
    // Left button up: true when it clicks (pressed and released over the button).
    bool Release();
    // The second press of a double click does not count; its release does not click again.
    void DoubleClick();
    // Enabled or disabled from outside; disabling stops the tracking.
    void SetDisabled(bool disabled);
    // Hidden or the capture lost: back to normal.
    void Reset();

    ButtonState State() const;
    bool IsTracking() const { return m_bTracking; }
    bool IsHover() const { return m_bHover; }
    bool IsPressed() const { return m_bPressed; }
    bool IsDisabled() const { return m_bDisabled; }

private:
    void StopTracking();

    bool m_bTracking = false;
    bool m_bHover = false;
    bool m_bPressed = false;
    bool m_bDisabled = false;
};

// The pictures of the shared image list are this many (logical) pixels square.
constexpr int kButtonPictureSize = 16;

enum class PictureDraw { None, Normal, Hot, Greyed };

// Where a button's face is painted, in the button's own pixels.
struct ButtonFace {
    ScreenBox face; // inside the frame
    Skin faceColour = Skin::ButtonFace;
    // The one-pixel frame, drawn like Draw3dRect: top and left stop one pixel short, bottom and
    // right own the corners they end in.
    ScreenBox top, left, right, bottom;
    Skin topLeftColour = Skin::ButtonFrame;
    Skin bottomRightColour = Skin::ButtonFrame;

    PictureDraw picture = PictureDraw::None; // Normal, Hot or Greyed image-list drawing
    int pictureX = 0, pictureY = 0;

    ScreenBox text; // the caption, centred in it on one line
    Skin textColour = Skin::ButtonText;

    bool focusLine = false; // the line under the caption of the focused button
    ScreenBox focus;
};

// The face of a width x height button in `state`; hasPicture: a valid image-list cell is set.
ButtonFace LayOutButtonFace(int width, int height, ButtonState state, bool hasPicture,
                            bool hasCaption, bool focused);

// The size a button asks for: its caption's width and the font's height, and the picture.
BoxSize ButtonSizeHint(int textWidth, int fontHeight, bool hasPicture);
