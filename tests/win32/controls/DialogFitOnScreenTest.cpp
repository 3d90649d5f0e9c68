// A dialog larger than the screen is made to fit the work area when it opens, and one that fits
// keeps its size and place.
#include "tests/win32/Win32TestSupport.h"
#include "uilogic/DialogTemplates.h"
#include "win32/controls/CXDialog.h"

#include <gtest/gtest.h>

namespace {

RECT WorkAreaOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

RECT OuterOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

} // namespace

TEST(DialogFitOnScreenTest, ADialogTallerAndWiderThanTheScreenIsShrunkOntoTheWorkArea) {
    PrepareWindows();
    // Dialog units are several pixels each: this is far larger than any screen here.
    static const DialogTemplate huge{
        900,
        "Huge",
        2000,
        1500,
        DlgStyle::Popup | DlgStyle::Caption | DlgStyle::SysMenu | DlgStyle::ThickFrame,
        8,
        {{DialogId::Ok, ControlKind::PushButton, "OK", 10, 10, 50, 14, CtlStyle::TabStop}},
    };
    CXDialog dialog(huge);
    ASSERT_TRUE(dialog.Create(nullptr));
    const RECT work = WorkAreaOf(dialog.GetSafeHwnd());
    const RECT outer = OuterOf(dialog.GetSafeHwnd());
    EXPECT_GE(outer.left, work.left);
    EXPECT_GE(outer.top, work.top);
    EXPECT_LE(outer.right, work.right);
    EXPECT_LE(outer.bottom, work.bottom);
    // It takes the whole room in both directions, not less.
    EXPECT_EQ(outer.right - outer.left, work.right - work.left);
    EXPECT_EQ(outer.bottom - outer.top, work.bottom - work.top);
}

TEST(DialogFitOnScreenTest, EveryDialogThatFitsKeepsItsTemplateSize) {
    PrepareWindows();
    for (const DialogTemplate* t :
         {&SettingsDialogTemplate(), &AboutDialogTemplate(), &HelpDialogTemplate()}) {
        CXDialog dialog(*t);
        ASSERT_TRUE(dialog.Create(nullptr));
        RECT units{0, 0, t->cx, t->cy};
        MapDialogRect(dialog.GetSafeHwnd(), &units);
        RECT client{};
        GetClientRect(dialog.GetSafeHwnd(), &client);
        EXPECT_EQ(client.right, units.right) << t->caption;
        EXPECT_EQ(client.bottom, units.bottom) << t->caption;
    }
}
