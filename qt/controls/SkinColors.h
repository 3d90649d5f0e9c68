#pragma once

#include <QColor>

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

QColor SkinColor(Skin role);
