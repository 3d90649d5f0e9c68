#pragma once

#include "uilogic/DialogTemplate.h"

#include <QFont>
#include <QRect>

class QWidget;

// The dialog font's base units: one horizontal dialog unit is baseX / 4 pixels, one vertical
// unit baseY / 8 pixels.
struct DialogUnits {
    int baseX = 6;
    int baseY = 13;

    static DialogUnits FromFont(const QFont& font);
    int MapX(int du) const;
    int MapY(int du) const;
    // Maps the left, top, right and bottom edges separately, so neighbours stay aligned.
    QRect MapRect(int x, int y, int cx, int cy) const;
};

// The dialog font: the desktop's default sans-serif at the given size.
QFont DialogFont(int pointSize = 8);

// Sets the dialog's font, caption, window flags and client size from the template and creates
// its controls, in template order, at their mapped rectangles. Returns the units it used.
DialogUnits BuildDialog(QWidget* dialog, const DialogTemplate& tmpl);
