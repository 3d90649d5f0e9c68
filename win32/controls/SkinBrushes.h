#pragma once

#include "uilogic/SkinColors.h"

#include <windows.h>

// The skin's colours as the Win32 API takes them, and its two brushes, made once and kept for
// the whole run.

COLORREF SkinColorRef(Skin role);
// Brush 1: the dialog background; brush 2: editable edits.
HBRUSH DialogBrush();
HBRUSH EditBrush();
