#include "qt/controls/SkinColors.h"

QColor SkinColor(Skin role) {
    const SkinRgb rgb = SkinColour(role);
    return {rgb.r, rgb.g, rgb.b};
}
