// The Settings dialog's values: shown from the options, and read back on OK.
#include "uilogic/SettingsForm.h"
#include "uilogic/Decimals.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsForm, DecimalsReadAsAtoiThenClamped) {
    const std::pair<const char*, int> cases[] = {
        {"7", 7},
        {"20", 15},
        {"-3", 0},
        {"3.5", 3},
        {"abc", 0},
        {"", 0},
        {"  12", 12},
        {"+9x", 9},
        {"99999999999999999999999", 15},
        {"-99999999999999999999999", 0},
        {"-", 0},
    };
    for (const auto& [text, decimals] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ReadDecimals(text), decimals);
    }
}

TEST(SettingsForm, ShowsTheOptions) {
    CalcSettings settings;
    settings.m_decimals = 7;
    settings.m_deleteTrailingZeros = 0;
    settings.m_groupDigits = 5; // any nonzero value ticks the box
    settings.m_saveExpressions = 1;
    settings.m_escAction = EscAction::Exit;
    SettingsForm form = FormFromSettings(settings);
    EXPECT_EQ(form.decimals, "7");
    EXPECT_EQ(form.deleteTrailingZeros, 0);
    EXPECT_EQ(form.groupDigits, 1);
    EXPECT_EQ(form.saveExpressions, 1);
    EXPECT_EQ(form.escChoice, 1);
    // An Esc action from a hand-edited file selects no button.
    for (const int32_t outside : {5, -1, 3}) {
        settings.m_escAction = static_cast<EscAction>(outside);
        EXPECT_EQ(FormFromSettings(settings).escChoice, -1) << outside;
    }
}

TEST(SettingsForm, OkStoresWhatTheControlsHold) {
    CalcSettings settings;
    SettingsForm form;
    form.decimals = " 20";
    form.deleteTrailingZeros = 0;
    form.groupDigits = 0;
    form.saveExpressions = 1;
    form.escChoice = -1; // none chosen: stored as -1, which then does nothing
    ApplyForm(form, settings);
    EXPECT_EQ(settings.m_decimals, 15);
    EXPECT_EQ(settings.m_deleteTrailingZeros, 0);
    EXPECT_EQ(settings.m_groupDigits, 0);
    EXPECT_EQ(settings.m_saveExpressions, 1);
    EXPECT_EQ(static_cast<int32_t>(settings.m_escAction), -1);
    // Shown again, the form comes back unchanged but for the clamped decimals.
    const SettingsForm again = FormFromSettings(settings);
    EXPECT_EQ(again.decimals, "15");
    EXPECT_EQ(again.escChoice, -1);
    EXPECT_EQ(again.saveExpressions, 1);
}

} // namespace
