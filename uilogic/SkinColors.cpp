#include "uilogic/SkinColors.h"

SkinRgb SkinColour(Skin role) {
    switch (role) {
    case Skin::ButtonFace:
        return {226, 236, 253};
    case Skin::ButtonFrame:
        return {49, 106, 197};
    case Skin::ButtonFaceHot:
        return {193, 210, 237};
    case Skin::DialogBackground:
        return {207, 217, 226};
    case Skin::EdgeLight:
        return {237, 247, 255};
    case Skin::EdgeDark:
        return {0, 36, 128};
    case Skin::ButtonText:
        return {0, 0, 0};
    case Skin::ButtonTextDisabled:
        return {96, 96, 128};
    case Skin::FocusLine:
        return {0, 100, 16};
    case Skin::EditBackground:
        return {236, 246, 255};
    case Skin::Transparent:
        return {255, 0, 255};
    }
    return {0, 0, 0};
}
