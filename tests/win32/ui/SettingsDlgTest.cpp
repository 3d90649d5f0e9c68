// The Settings dialog shows the options and OK stores what the controls hold.
#include "win32/ui/SettingsDlg.h"
#include "settings/CalcSettings.h"
#include "tests/win32/Win32TestSupport.h"
#include "uilogic/DialogTemplates.h"

#include <gtest/gtest.h>

namespace {

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareWindows();
        g_settings = CalcSettings();
    }
    void Open() {
        ASSERT_TRUE(dlg.Create(nullptr));
        PumpPending();
    }
    LRESULT Checked(int id) { return SendMessageW(dlg.Item(id), BM_GETCHECK, 0, 0); }
    void Ok() {
        SendMessageW(dlg.Item(DialogId::Ok), BM_CLICK, 0, 0);
        PumpUntil([&] { return dlg.GetSafeHwnd() == nullptr; });
    }
    CSettingsDlg dlg;
};

} // namespace

TEST_F(SettingsDialogTest, OpensWithTheCurrentOptions) {
    g_settings.m_decimals = 7;
    g_settings.m_groupDigits = 0;
    g_settings.m_escAction = EscAction::Exit;
    Open();
    EXPECT_EQ(TextOf(dlg.Item(SettingsId::Decimals)), "7");
    EXPECT_EQ(Checked(SettingsId::Trailing), BST_CHECKED);
    EXPECT_EQ(Checked(SettingsId::Group), BST_UNCHECKED);
    EXPECT_EQ(Checked(SettingsId::Save), BST_CHECKED);
    EXPECT_EQ(Checked(SettingsId::EscExit), BST_CHECKED);
    EXPECT_EQ(Checked(SettingsId::EscMinimize), BST_UNCHECKED);
    EXPECT_EQ(GetFocus(), dlg.Item(SettingsId::Decimals)); // the first tab stop
}

TEST_F(SettingsDialogTest, OkReadsTheDecimalsAsAtoiClampedAndTheBoxesAsLeft) {
    const struct {
        const wchar_t* typed;
        int decimals;
    } cases[] = {{L"20", 15}, {L"-3", 0}, {L"3.5", 3}, {L" 7", 7}, {L"abc", 0}, {L"", 0}};
    for (const auto& c : cases) {
        g_settings = CalcSettings();
        CSettingsDlg one;
        ASSERT_TRUE(one.Create(nullptr));
        SetWindowTextW(one.Item(SettingsId::Decimals), c.typed);
        SendMessageW(one.Item(SettingsId::Trailing), BM_CLICK, 0, 0);
        SendMessageW(one.Item(SettingsId::EscMinimize), BM_CLICK, 0, 0);
        PumpPending();
        SendMessageW(one.Item(DialogId::Ok), BM_CLICK, 0, 0);
        PumpUntil([&] { return one.GetSafeHwnd() == nullptr; });
        EXPECT_EQ(g_settings.m_decimals, c.decimals) << static_cast<int>(c.typed[0]);
        EXPECT_EQ(g_settings.m_deleteTrailingZeros, 0);
        EXPECT_EQ(g_settings.m_groupDigits, 1);
        EXPECT_EQ(g_settings.m_escAction, EscAction::Minimise);
        EXPECT_EQ(one.Result(), DialogId::Ok);
    }
}

TEST_F(SettingsDialogTest, AnEscActionOutsideTheChoicesSelectsNoneAndOkStoresMinusOne) {
    g_settings.m_escAction = static_cast<EscAction>(5);
    Open();
    EXPECT_EQ(Checked(SettingsId::EscMinimize), BST_UNCHECKED);
    EXPECT_EQ(Checked(SettingsId::EscExit), BST_UNCHECKED);
    EXPECT_EQ(Checked(SettingsId::EscNothing), BST_UNCHECKED);
    Ok();
    EXPECT_EQ(static_cast<int>(g_settings.m_escAction), -1);
}

TEST_F(SettingsDialogTest, CancelAfterChangingEverythingLeavesTheOptions) {
    Open();
    SetWindowTextW(dlg.Item(SettingsId::Decimals), L"11");
    for (int id : {SettingsId::Trailing, SettingsId::Group, SettingsId::Save, SettingsId::EscExit})
        SendMessageW(dlg.Item(id), BM_CLICK, 0, 0);
    PumpPending();
    SendMessageW(dlg.Item(DialogId::Cancel), BM_CLICK, 0, 0);
    PumpUntil([&] { return dlg.GetSafeHwnd() == nullptr; });
    EXPECT_EQ(dlg.Result(), DialogId::Cancel);
    const CalcSettings defaults;
    EXPECT_EQ(g_settings.m_decimals, defaults.m_decimals);
    EXPECT_EQ(g_settings.m_groupDigits, defaults.m_groupDigits);
    EXPECT_EQ(g_settings.m_escAction, defaults.m_escAction);
}
