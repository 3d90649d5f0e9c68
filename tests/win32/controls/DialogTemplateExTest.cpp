// The dialogs are built from the shared templates: every control of a template exists with its
// id, class, text and style, and the rectangles keep their proportions in dialog units.
#include "tests/win32/Win32TestSupport.h"
#include "uilogic/DialogTemplates.h"
#include "win32/controls/CXDialog.h"
#include "win32/controls/WindowText.h"

#include <gtest/gtest.h>

namespace {

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

struct Built {
    explicit Built(const DialogTemplate& t) : dialog((PrepareWindows(), t)) {
        EXPECT_TRUE(dialog.Create(nullptr));
    }
    CXDialog dialog;
};

} // namespace

TEST(DialogTemplateExTest, EveryControlOfTheSettingsTemplateExistsWithItsClassTextAndStyle) {
    const DialogTemplate& t = SettingsDialogTemplate();
    Built built(t);
    HWND dlg = built.dialog.GetSafeHwnd();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(GetWindowTextUtf8(dlg), "Settings");
    int found = 0;
    for (const ControlTemplate& c : t.controls) {
        if (c.id == kNoId)
            continue;
        HWND control = GetDlgItem(dlg, c.id);
        ASSERT_NE(control, nullptr) << c.id;
        ++found;
        const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
        EXPECT_EQ(GetWindowTextUtf8(control), c.text) << c.id;
        EXPECT_EQ((style & WS_TABSTOP) != 0, (c.style & CtlStyle::TabStop) != 0) << c.id;
        EXPECT_EQ((style & WS_GROUP) != 0, (c.style & CtlStyle::Group) != 0) << c.id;
        switch (c.kind) {
        case ControlKind::Edit:
            EXPECT_EQ(ClassOf(control), L"Edit");
            EXPECT_NE(style & ES_AUTOHSCROLL, 0);
            break;
        case ControlKind::CheckBox:
            EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX) << c.id;
            break;
        case ControlKind::RadioButton:
            EXPECT_EQ(style & BS_TYPEMASK, BS_AUTORADIOBUTTON) << c.id;
            break;
        case ControlKind::PushButton:
            EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW) << c.id;
            break;
        default:
            break;
        }
    }
    EXPECT_EQ(found, 9);
    // Statics without an id are there too: every template control became a window.
    int children = 0;
    for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(children, static_cast<int>(t.controls.size()));
}

TEST(DialogTemplateExTest, RectanglesFollowTheTemplateInDialogUnits) {
    Built built(SettingsDialogTemplate());
    HWND dlg = built.dialog.GetSafeHwnd();
    // OK (125, 125, 50, 14) and Cancel (181, 125, 50, 14): same size, Cancel 56 units right.
    RECT units{125, 125, 175, 139};
    MapDialogRect(dlg, &units);
    RECT ok{}, cancel{};
    GetWindowRect(GetDlgItem(dlg, DialogId::Ok), &ok);
    GetWindowRect(GetDlgItem(dlg, DialogId::Cancel), &cancel);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&ok), 2);
    EXPECT_EQ(ok.left, units.left);
    EXPECT_EQ(ok.top, units.top);
    // Sizes are scaled on their own, so they may round one pixel apart from the edges.
    EXPECT_NEAR(ok.right - ok.left, units.right - units.left, 1);
    EXPECT_NEAR(cancel.bottom - cancel.top, units.bottom - units.top, 1);
    RECT client{};
    GetClientRect(dlg, &client);
    RECT whole{0, 0, 238, 146};
    MapDialogRect(dlg, &whole);
    EXPECT_NEAR(client.right, whole.right, 1);
    EXPECT_NEAR(client.bottom, whole.bottom, 1);
}

TEST(DialogTemplateExTest, DialogStylesComeFromTheTemplateFlags) {
    Built main(MainDialogTemplate());
    const LONG_PTR style = GetWindowLongPtrW(main.dialog.GetSafeHwnd(), GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(main.dialog.GetSafeHwnd(), GWL_EXSTYLE);
    EXPECT_NE(style & WS_THICKFRAME, 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    EXPECT_NE(style & WS_CLIPCHILDREN, 0);
    EXPECT_NE(exStyle & WS_EX_APPWINDOW, 0);
    Built help(HelpDialogTemplate());
    EXPECT_NE(GetWindowLongPtrW(help.dialog.GetSafeHwnd(), GWL_STYLE) & WS_THICKFRAME, 0);
    // The About dialog's Cancel button and placeholder exist but are hidden.
    Built about(AboutDialogTemplate());
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(about.dialog.GetSafeHwnd(), DialogId::Cancel)));
    EXPECT_NE(GetDlgItem(about.dialog.GetSafeHwnd(), kAboutOkPlaceholder), nullptr);
}
