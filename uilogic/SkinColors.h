#pragma once

#include <cstdint>

// The fixed colours that give every dialog of the program its look.
enum class Skin {
    ButtonFace,         // normal and disabled button face
    ButtonFrame,        // normal and disabled button frame
    ButtonFaceHot,      // hot and pressed button face
    DialogBackground,   // dialogs, read-only and disabled edits
    EdgeLight,          // light edge of the hot and pressed frame
    EdgeDark,           // dark edge of the hot and pressed frame
    ButtonText,         // caption
    ButtonTextDisabled, // caption of a disabled button
    FocusLine,          // line under the caption of the focused button
    EditBackground,     // editable edit controls
    Transparent,        // mask colour of every bitmap and image list (magenta)
};

struct SkinRgb {
    std::uint8_t r = 0, g = 0, b = 0;

    bool operator==(const SkinRgb& o) const { return r == o.r && g == o.g && b == o.b; }
    // As 0x00RRGGBB, the order of a 32-bit pixel in both toolkits' images.
    std::uint32_t Packed() const {
        return (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | std::uint32_t{b};
    }
};

SkinRgb SkinColour(Skin role);
