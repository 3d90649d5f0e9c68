// CXButton's hover, press and click rules and the Esc key of CXDialog, driven with the
// messages a mouse and keyboard send.
#include "tests/win32/Win32TestSupport.h"
#include "win32/controls/CXButton.h"
#include "win32/controls/CXDialog.h"
#include "win32/controls/CXImageList.h"

#include <gtest/gtest.h>

namespace {

constexpr int kGo = 100;

const DialogTemplate& ButtonDialog(bool cancelEnabled) {
    static const DialogTemplate enabled{
        1,
        "Buttons",
        120,
        60,
        DlgStyle::Popup | DlgStyle::Caption,
        8,
        {{kGo, ControlKind::PushButton, "Go", 10, 10, 50, 14, CtlStyle::TabStop},
         {DialogId::Cancel, ControlKind::PushButton, "Cancel", 65, 10, 50, 14, CtlStyle::TabStop}}};
    static const DialogTemplate disabled{
        1,
        "Buttons",
        120,
        60,
        DlgStyle::Popup | DlgStyle::Caption,
        8,
        {{kGo, ControlKind::PushButton, "Go", 10, 10, 50, 14, CtlStyle::TabStop},
         {DialogId::Cancel, ControlKind::PushButton, "Cancel", 65, 10, 50, 14,
          CtlStyle::Disabled}}};
    return cancelEnabled ? enabled : disabled;
}

class ButtonTest : public ::testing::Test {
protected:
    void Open(bool cancelEnabled = true) {
        PrepareWindows();
        dialog = std::make_unique<CXDialog>(ButtonDialog(cancelEnabled));
        ASSERT_TRUE(dialog->Create(nullptr));
        ShowWindow(dialog->GetSafeHwnd(), SW_SHOW);
        ASSERT_TRUE(button.Attach(dialog->GetSafeHwnd(), kGo));
        button.SetImage(SharedImages(96), SharedImage::Ok);
        hwnd = button.GetSafeHwnd();
        PumpPending();
        DropQueuedCommands(dialog->GetSafeHwnd());
    }
    void TearDown() override {
        if (GetCapture())
            ReleaseCapture();
        button.Detach();
    }
    LRESULT Send(UINT message, WPARAM wParam, int x, int y) {
        return SendMessageW(hwnd, message, wParam, MAKELPARAM(x, y));
    }
    bool Clicked() { return CommandIsQueued(dialog->GetSafeHwnd(), kGo, BN_CLICKED); }

    std::unique_ptr<CXDialog> dialog;
    CXButton button;
    HWND hwnd = nullptr;
};

} // namespace

TEST_F(ButtonTest, HoverPressAndReleaseInsidePostOneClick) {
    Open();
    Send(WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_TRUE(button.IsTracking());
    EXPECT_TRUE(button.IsHover());
    EXPECT_EQ(GetCapture(), hwnd);
    UpdateWindow(hwnd);
    EXPECT_EQ(button.PaintedState(), CXButton::Hot);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    EXPECT_TRUE(button.IsPressed());
    EXPECT_EQ(GetFocus(), hwnd);
    UpdateWindow(hwnd);
    EXPECT_EQ(button.PaintedState(), CXButton::Pressed);
    EXPECT_FALSE(Clicked()); // the press alone is no click
    Send(WM_LBUTTONUP, 0, 5, 5);
    EXPECT_TRUE(Clicked());
    EXPECT_FALSE(button.IsTracking());
    EXPECT_NE(GetCapture(), hwnd);
    UpdateWindow(hwnd);
    EXPECT_EQ(button.PaintedState(), CXButton::Normal);
}

TEST_F(ButtonTest, ReleasingOutsidePostsNothingButComingBackInBeforeReleasingDoes) {
    Open();
    Send(WM_MOUSEMOVE, 0, 5, 5);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 500, 500); // dragged out, still held: tracking goes on
    EXPECT_TRUE(button.IsTracking());
    EXPECT_FALSE(button.IsHover());
    UpdateWindow(hwnd);
    EXPECT_EQ(button.PaintedState(), CXButton::Normal);
    Send(WM_LBUTTONUP, 0, 500, 500);
    EXPECT_FALSE(Clicked());
    EXPECT_FALSE(button.IsTracking());

    Send(WM_MOUSEMOVE, 0, 5, 5);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 500, 500);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 6, 6); // back in
    UpdateWindow(hwnd);
    EXPECT_EQ(button.PaintedState(), CXButton::Pressed);
    Send(WM_LBUTTONUP, 0, 6, 6);
    EXPECT_TRUE(Clicked());
}

TEST_F(ButtonTest, LeavingWithoutTheButtonHeldStopsTracking) {
    Open();
    Send(WM_MOUSEMOVE, 0, 5, 5);
    Send(WM_MOUSEMOVE, 0, 500, 5);
    EXPECT_FALSE(button.IsTracking());
    EXPECT_NE(GetCapture(), hwnd);
}

TEST_F(ButtonTest, DoubleClickGivesExactlyOneClick) {
    Open();
    Send(WM_MOUSEMOVE, 0, 5, 5);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Send(WM_LBUTTONUP, 0, 5, 5);
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 5, 5);
    Send(WM_LBUTTONUP, 0, 5, 5);
    int clicks = 0;
    MSG msg;
    while (PeekMessageW(&msg, dialog->GetSafeHwnd(), WM_COMMAND, WM_COMMAND, PM_REMOVE))
        clicks += LOWORD(msg.wParam) == kGo ? 1 : 0;
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonTest, SpaceAndEnterOnTheFocusedButtonEachClickOnce) {
    Open();
    SetFocus(hwnd);
    SendMessageW(hwnd, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_TRUE(CommandIsQueued(dialog->GetSafeHwnd(), kGo, BN_CLICKED));
    DropQueuedCommands(dialog->GetSafeHwnd());
    MSG enter{hwnd, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    EXPECT_TRUE(CXDialog::FilterMessage(enter)); // consumed by the button's pre-translation
    int clicks = 0;
    MSG msg;
    while (PeekMessageW(&msg, dialog->GetSafeHwnd(), WM_COMMAND, WM_COMMAND, PM_REMOVE))
        clicks += LOWORD(msg.wParam) == kGo ? 1 : 0;
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonTest, ADisabledButtonIgnoresTheMouseAndPaintsGreyed) {
    Open();
    EXPECT_FALSE(button.Enable(false)); // it was enabled
    Send(WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_FALSE(button.IsTracking());
    UpdateWindow(hwnd);
    EXPECT_EQ(button.PaintedState(), CXButton::Disabled);
    // The greyed picture: the face colour where the picture is transparent, grey elsewhere.
    HDC dc = GetDC(hwnd);
    RECT rc{};
    GetClientRect(hwnd, &rc);
    const COLORREF corner = GetPixel(dc, rc.left + 8, (rc.bottom - 16) / 2); // picture's left edge
    ReleaseDC(hwnd, dc);
    EXPECT_NE(corner, RGB(255, 0, 255));
    EXPECT_TRUE(button.Enable(true)); // it was disabled
}

TEST_F(ButtonTest, EscClicksAnEnabledCancelAndIsAlwaysConsumed) {
    Open(true);
    MSG esc{hwnd, WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    EXPECT_TRUE(CXDialog::FilterMessage(esc));
    EXPECT_TRUE(CommandIsQueued(dialog->GetSafeHwnd(), DialogId::Cancel, 0));
}

TEST_F(ButtonTest, EscWithADisabledCancelDoesNothingButIsConsumed) {
    Open(false);
    MSG esc{hwnd, WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    EXPECT_TRUE(CXDialog::FilterMessage(esc));
    EXPECT_FALSE(CommandIsQueued(dialog->GetSafeHwnd(), DialogId::Cancel, 0));
    PumpPending();
    EXPECT_TRUE(IsWindow(dialog->GetSafeHwnd()));
}
