#pragma once

class QWidget;

// Notification codes carried by posted commands.
constexpr int kBnClicked = 0;
constexpr int kEnChange = 0x0300;

// Posts (queues, never calls at once) the command (id of control, code) to the dialog that
// owns control: its parent when that is a CXDialog. With alsoGrandparent, a control whose
// parent is not a dialog posts to the parent's parent when that is one.
void PostControlCommand(QWidget* control, int code, bool alsoGrandparent = false);
