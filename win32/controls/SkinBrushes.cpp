#include "win32/controls/SkinBrushes.h"

namespace {

struct Rgb {
    BYTE r, g, b;
};

constexpr Rgb kColours[] = {
    {226, 236, 253}, // ButtonFace
    {49, 106, 197},  // ButtonFrame
    {193, 210, 237}, // ButtonFaceHot
    {207, 217, 226}, // DialogBackground
    {237, 247, 255}, // EdgeLight
    {0, 36, 128},    // EdgeDark
    {0, 0, 0},       // ButtonText
    {96, 96, 128},   // ButtonTextDisabled
    {0, 100, 16},    // FocusLine
    {236, 246, 255}, // EditBackground
    {255, 0, 255},   // Transparent
};

// Made on first use and kept until the process ends, as the system frees them then.
HBRUSH MakeBrush(SkinRole role) {
    return CreateSolidBrush(SkinRgb(role));
}

} // namespace

COLORREF SkinRgb(SkinRole role) {
    const Rgb c = kColours[static_cast<int>(role)];
    return RGB(c.r, c.g, c.b);
}

HBRUSH DialogBrush() {
    static const HBRUSH brush = MakeBrush(SkinRole::DialogBackground);
    return brush;
}

HBRUSH EditBrush() {
    static const HBRUSH brush = MakeBrush(SkinRole::EditBackground);
    return brush;
}
