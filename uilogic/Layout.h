#pragma once

#include "uilogic/Geometry.h"

#include <array>

// Where the main window's controls stand in its client area: the row of small buttons, the
// expression pane with the results pane of fixed width to its right, and the keypad view along
// the right edge. All in client pixels.
struct MainLayout {
    // Keep on top, Settings, Help and About, from the left.
    std::array<ScreenBox, 4> smallButtons;
    ScreenBox panelButton; // shows or hides the keypad; stands at the panes' right end
    ScreenBox keypad;      // placed also while hidden, so that showing it needs no layout
    ScreenBox expressions;
    ScreenBox results;
};

// The layout for a client area of cx x cy pixels, with or without the keypad shown.
MainLayout LayOutMainWindow(int cx, int cy, bool panelShown);

// The least height of the keypad view that shows every key whole: eight rows of keys at
// least 22 pixels high inside their 1-pixel borders, 2 pixels apart, and 1 below the last.
int KeypadLeastHeight();

// The client width after the keypad has been shown (or hidden): only the right edge moves, by
// the keypad's width.
int WidthAfterPanelToggle(int width, bool panelShownNow);

// The About and Help dialogs: the page fills the client area but for 40 pixels at the bottom,
// where the OK button stands.
ScreenBox InfoPageBox(int cx, int cy);
// The Help dialog's OK button, kept 80 pixels from the right and 30 from the bottom edge.
ScreenBox HelpOkButtonBox(int cx, int cy);
