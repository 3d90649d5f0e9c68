#pragma once

#include "uilogic/DialogTemplate.h"

// Control ids of the calculator's dialogs.
namespace MainId {
constexpr int Expressions = 1000;
constexpr int Browser = 1001;
constexpr int Results = 1002;
constexpr int KeepOnTop = 1003;
constexpr int Settings = 1004;
constexpr int Help = 1005;
constexpr int Panel = 1006;
constexpr int About = 1007;
} // namespace MainId

namespace SettingsId {
constexpr int Decimals = 1006;
constexpr int Trailing = 1007;
constexpr int Group = 1008;
constexpr int Save = 1009;
constexpr int EscMinimize = 1010;
constexpr int EscExit = 1011;
constexpr int EscNothing = 1012;
} // namespace SettingsId

constexpr int kAboutOkPlaceholder = 1013;
constexpr int kPageViewId = 1001;

// Template 102: the main window (its rectangles are replaced by the layout at run time).
const DialogTemplate& MainDialogTemplate();
// Template 136: the Settings dialog.
const DialogTemplate& SettingsDialogTemplate();
// Template 139: the About dialog.
const DialogTemplate& AboutDialogTemplate();
// Template 908: the Help dialog.
const DialogTemplate& HelpDialogTemplate();
