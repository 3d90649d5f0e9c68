#include "uilogic/ButtonFace.h"

#include <algorithm>

void ButtonTracker::MouseAt(bool inside, bool leftHeld) {
    if (m_bDisabled)
        return;
    if (!m_bTracking) {
        m_bTracking = true;
        m_bHover = true;
        return;
    }
    m_bHover = inside;
    if (!m_bHover && !leftHeld)
        StopTracking();
}

void ButtonTracker::Leave() {
    if (m_bTracking)
        StopTracking();
}

bool ButtonTracker::Press() {
    if (m_bDisabled)
        return false;
    if (!m_bTracking) {
        // A press without a move before it (a window that just appeared under the mouse).
        m_bTracking = true;
        m_bHover = true;
    }
    m_bPressed = true;
    return true;
}

bool ButtonTracker::Release() {
    const bool click = m_bHover && m_bPressed;
    m_bPressed = false;
    if (m_bTracking)
        StopTracking();
    return click;
}

void ButtonTracker::DoubleClick() {
    m_bPressed = false;
}

void ButtonTracker::SetDisabled(bool disabled) {
    m_bDisabled = disabled;
    if (m_bDisabled && m_bTracking)
        StopTracking();
}

void ButtonTracker::Reset() {
    StopTracking();
}

void ButtonTracker::StopTracking() {
    m_bTracking = false;
    m_bHover = false;
    m_bPressed = false;
}

ButtonState ButtonTracker::State() const {
    if (m_bDisabled)
        return ButtonState::Disabled;
    if (m_bHover && m_bPressed)
        return ButtonState::Pressed;
    if (m_bHover)
        return ButtonState::Hot;
    return ButtonState::Normal;
}

ButtonFace LayOutButtonFace(int width, int height, ButtonState state, bool hasPicture,
                            bool hasCaption, bool focused) {
    const int w = width;
    const int h = height;
    const bool pressed = state == ButtonState::Pressed;
    ButtonFace f;
    f.face = {1, 1, w - 2, h - 2};
    f.faceColour = (state == ButtonState::Hot || pressed) ? Skin::ButtonFaceHot : Skin::ButtonFace;
    if (state == ButtonState::Hot) {
        f.topLeftColour = Skin::EdgeLight;
        f.bottomRightColour = Skin::EdgeDark;
    } else if (pressed) {
        f.topLeftColour = Skin::EdgeDark;
        f.bottomRightColour = Skin::EdgeLight;
    }
    f.top = {0, 0, w - 1, 1};
    f.left = {0, 0, 1, h - 1};
    f.right = {w - 1, 0, 1, h};
    f.bottom = {0, h - 1, w, 1};

    if (hasPicture) {
        f.pictureY = (h - kButtonPictureSize) / 2;
        f.pictureX = hasCaption ? 6 : (w - kButtonPictureSize) / 2;
        switch (state) {
        case ButtonState::Normal:
            f.picture = PictureDraw::Normal;
            break;
        case ButtonState::Hot:
            f.picture = PictureDraw::Hot;
            break;
        case ButtonState::Pressed: // the picture sinks one pixel
            f.picture = PictureDraw::Normal;
            ++f.pictureX;
            ++f.pictureY;
            break;
        case ButtonState::Disabled:
            f.picture = PictureDraw::Greyed;
            break;
        }
    }

    // The caption's box keeps the button's right and bottom edges.
    int textLeft = hasPicture ? kButtonPictureSize : 0;
    int textTop = 0;
    if (pressed) {
        textLeft += 2;
        textTop += 2;
    }
    f.text = {textLeft, textTop, w - textLeft, h - textTop};
    f.textColour = state == ButtonState::Disabled ? Skin::ButtonTextDisabled : Skin::ButtonText;

    if (hasCaption && focused) {
        const int left = textLeft + 2 + (hasPicture ? 10 : 0);
        const int right = w - 4; // exclusive
        const int y = h - 3 + (pressed ? 1 : 0);
        if (right > left) {
            f.focusLine = true;
            f.focus = {left, y, right - left, 1};
        }
    }
    return f;
}

BoxSize ButtonSizeHint(int textWidth, int fontHeight, bool hasPicture) {
    int width = textWidth + 16;
    if (hasPicture)
        width += kButtonPictureSize + 6;
    return {std::max(width, 22), std::max(fontHeight + 8, 22)};
}
