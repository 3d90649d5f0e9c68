#pragma once

#include <windows.h>

// The skin's colours as the Win32 API takes them, and its two brushes, made once and kept for
// the whole run.
enum class SkinRole {
    ButtonFace,
    ButtonFrame,
    ButtonFaceHot,
    DialogBackground,
    EdgeLight,
    EdgeDark,
    ButtonText,
    ButtonTextDisabled,
    FocusLine,
    EditBackground,
    Transparent,
};

COLORREF SkinRgb(SkinRole role);
// Brush 1: the dialog background; brush 2: editable edits.
HBRUSH DialogBrush();
HBRUSH EditBrush();
