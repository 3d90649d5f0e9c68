#pragma once

#include "uilogic/Geometry.h"

#include <vector>

// Small decisions of the dialog framework that both front ends' dialogs share.

// The frame assumed for a dialog before the window manager has framed anything: a title bar
// and thin edges.
constexpr FrameWidths kAssumedDialogFrame{4, 24, 4, 4};

// The size a dialog takes so that it and its frame fit the screen's work area: its own size in
// each direction where it fits, else the room there (never below 0). An unknown frame counts as
// kAssumedDialogFrame.
BoxSize FitDialogOnScreen(const BoxSize& dialog, const BoxSize& workArea, FrameWidths frame);

// The checked button of a radio group, as its index in the group; the last checked one if
// several are, -1 when none is.
int CheckedIndex(const std::vector<bool>& checked);
