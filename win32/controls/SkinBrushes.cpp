#include "win32/controls/SkinBrushes.h"

COLORREF SkinColorRef(Skin role) {
    const SkinRgb c = SkinColour(role);
    return RGB(c.r, c.g, c.b);
}

// Made on first use and kept until the process ends, which frees them.
HBRUSH DialogBrush() {
    static const HBRUSH brush = CreateSolidBrush(SkinColorRef(Skin::DialogBackground));
    return brush;
}

HBRUSH EditBrush() {
    static const HBRUSH brush = CreateSolidBrush(SkinColorRef(Skin::EditBackground));
    return brush;
}
