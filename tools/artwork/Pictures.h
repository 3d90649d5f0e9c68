#pragma once

#include <QImage>

// The program's artwork, drawn in code so that it can be redrawn and reviewed.

// Bitmap 130: nine 16 x 16 button pictures on magenta (pin in, pin out, question mark, arrow
// right, arrow left, note pad, check mark, cross, "i"); scale 2 draws the same at 32 x 32
// for screens of double density.
QImage DrawButtonStrip(int scale = 1);
// One keypad picture, 26 x 22, transparent around it: 131 down, 132 up, 133 return, 134 left,
// 135 right.
QImage DrawKeypadPicture(int resource);
// Picture 140: the 293 x 64 product banner of the About and Help pages; picture 142, the same
// drawn at scale 2 for screens of double density.
QImage DrawAboutBanner(int scale = 1);
// Bitmap 138: the 458 x 110 banner of the setup wizard.
QImage DrawSetupBanner();
// Bitmap 141: the 445 x 10 separator line of the setup wizard.
QImage DrawSeparator();
// Icon 128 at one size (16 to 256 pixels), transparent around it.
QImage DrawProgramIcon(int size);
