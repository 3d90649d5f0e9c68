#pragma once

#include "settings/CalcSettings.h"
#include "uilogic/Geometry.h"

#include <windows.h>

// The main window's outer rectangle in screen pixels, read and applied through the window
// placement (GetWindowPlacement/SetWindowPlacement), which keeps the restored rectangle also
// while the window is minimised.

// Where the window starts: the stored rectangle, or on a first run 510 x 285 (at 96 DPI,
// scaled to the monitor's DPI) centred on the work area; a rectangle the work areas do not
// cover whole is brought fully onto the nearest one.
ScreenBox StartBox(HWND window, CalcSettings& settings);
// Puts the window's restored rectangle there, without showing the window.
void ApplyOuterBox(HWND window, const ScreenBox& outer);
// The window's restored outer rectangle.
ScreenBox NormalOuterBox(HWND window);
