// CXCheckBox, CXEdit and CXRadioGroup keep their value in the object and tell their dialog.
#include "tests/win32/Win32TestSupport.h"
#include "uilogic/DialogTemplates.h"
#include "win32/controls/CXCheckBox.h"
#include "win32/controls/CXDialog.h"
#include "win32/controls/CXEdit.h"
#include "win32/controls/CXRadioGroup.h"

#include <gtest/gtest.h>

namespace {

// Records the check state its handler sees for the trailing-zeros box.
class RecordingDialog : public CXDialog {
public:
    RecordingDialog() : CXDialog(SettingsDialogTemplate()) {}
    CXCheckBox check;
    int seenByHandler = -1;
    int editChanges = 0;

protected:
    void OnCommand(int id, int code) override {
        if (id == SettingsId::Trailing && code == BN_CLICKED)
            seenByHandler = check.GetCheck();
        if (id == SettingsId::Decimals && code == EN_CHANGE)
            ++editChanges;
    }
};

} // namespace

TEST(SmallControlsTest, ACheckBoxClickUpdatesItsStateBeforeTheDialogHandlerRuns) {
    PrepareWindows();
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    ASSERT_TRUE(dialog.check.Attach(dialog.GetSafeHwnd(), SettingsId::Trailing));
    dialog.check.SetCheck(0);
    SendMessageW(dialog.check.GetSafeHwnd(), BM_CLICK, 0, 0);
    PumpUntil([&] { return dialog.seenByHandler != -1; });
    EXPECT_EQ(dialog.check.GetCheck(), 1);
    EXPECT_EQ(dialog.seenByHandler, 1);
}

TEST(SmallControlsTest, TypingInAnEditKeepsItsTextAndPostsOneChangePerEdit) {
    PrepareWindows();
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    CXEdit edit;
    ASSERT_TRUE(edit.Attach(dialog.GetSafeHwnd(), SettingsId::Decimals));
    edit.SetText("");
    PumpPending();
    dialog.editChanges = 0;
    TypeChars(edit.GetSafeHwnd(), L"7ü");
    PumpPending();
    EXPECT_EQ(edit.GetText(), "7\xC3\xBC");
    EXPECT_EQ(dialog.editChanges, 2);
    // No context menu: the right button is swallowed.
    EXPECT_EQ(SendMessageW(edit.GetSafeHwnd(), WM_RBUTTONUP, 0, MAKELPARAM(2, 2)), 0);
}

TEST(SmallControlsTest, TheRadioGroupChecksExactlyOneButtonAndReportsNoneAsMinusOne) {
    PrepareWindows();
    CXDialog dialog(SettingsDialogTemplate());
    ASSERT_TRUE(dialog.Create(nullptr));
    CXRadioGroup group;
    ASSERT_TRUE(group.Attach(dialog.GetSafeHwnd(), SettingsId::EscMinimize));
    EXPECT_EQ(group.Buttons().size(), 3u); // OK starts the next group
    group.SetValue(2);
    EXPECT_EQ(SendMessageW(dialog.Item(SettingsId::EscNothing), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(dialog.Item(SettingsId::EscMinimize), BM_GETCHECK, 0, 0), 0);
    EXPECT_EQ(group.GetValue(), 2);
    SendMessageW(dialog.Item(SettingsId::EscExit), BM_CLICK, 0, 0);
    PumpPending();
    EXPECT_EQ(group.GetValue(), 1);
    group.SetValue(-1);
    EXPECT_EQ(group.GetValue(), -1);
}
