#pragma once

#include "uilogic/ButtonFace.h"
#include "win32/controls/CXControl.h"

#include <string>

class CXImageList;

// The flat skinned push button: it paints itself in four states (normal, hot under the mouse,
// pressed, disabled) with a picture from an image list beside its caption, and reports a click
// by posting BN_CLICKED with its id to its dialog.
class CXButton : public CXControl {
public:
    enum State { Normal = 1, Hot = 2, Pressed = 3, Disabled = 4 };

    // The picture (list not owned; null or key -1 for none); repaints.
    void SetImage(const CXImageList* list, int key);
    int Image() const { return m_nImage; }
    // Enables or disables; true when the button was disabled before.
    bool Enable(bool enable);
    void SetText(const std::string& text);
    // Posts the click to the dialog.
    void NotifyClick();

    int PaintedState() const { return m_nState; }
    bool IsHover() const { return m_tracker.IsHover(); }
    bool IsPressed() const { return m_tracker.IsPressed(); }
    bool IsTracking() const { return m_tracker.IsTracking(); }

    // Enter on the focused button clicks it; true consumes the key.
    bool PreTranslateKey(const MSG& msg);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnAttached() override;
    bool OnReflectedCommand(int code) override;

private:
    void OnMouseMove(WPARAM keys, LPARAM point);
    // Holds the mouse capture exactly while the tracker follows the mouse.
    void FollowCapture();
    void Repaint(bool erase);
    void DrawButton(HDC dc);

    ButtonTracker m_tracker; // hover, press and disabled state
    int m_nState = Normal;   // the state of the last paint
    const CXImageList* m_pImageList = nullptr;
    int m_nImage = -1;
};
