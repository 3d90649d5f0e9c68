#pragma once

#include <string>

class QWidget;

// The name the running X window manager gives itself (_NET_WM_NAME of the window that
// _NET_SUPPORTING_WM_CHECK names), or "" when there is none or the display is not X11.
std::string WindowManagerName();

// Whether the running window manager gives a frame its minimise and maximise buttons whatever
// the window's Motif hints ask for. openbox does: it only leaves them off some window types.
bool WindowManagerKeepsFrameButtons();

// Asks for a frame with a close button only for a dialog owned by another window. Its Motif
// hints say so already; where the window manager keeps the buttons regardless, the window is
// announced as a toolbar ahead of a dialog, the type that window manager frames with a close
// button only. Call before the dialog is first shown.
void AskForCloseButtonOnly(QWidget* dialog);
