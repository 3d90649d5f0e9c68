#pragma once

#include "settings/CalcSettings.h"

#include <string>

// The Settings dialog's controls as plain values: what the dialog shows when it opens, and
// what OK makes of them.
struct SettingsForm {
    std::string decimals;        // the decimals field's text
    int deleteTrailingZeros = 0; // check boxes: 1 ticked, 0 clear
    int groupDigits = 0;
    int saveExpressions = 0;
    int escChoice = -1; // the selected Esc button: 0 minimise, 1 exit, 2 nothing; -1 none
};

// The form for the current options; a nonzero option ticks its box, and an Esc action outside
// the three choices selects none.
SettingsForm FormFromSettings(const CalcSettings& settings);

// OK: the decimals read as atoi would and kept within 0..15, the boxes as they are, and the Esc
// choice as it is (-1, none, then does nothing).
void ApplyForm(const SettingsForm& form, CalcSettings& settings);
