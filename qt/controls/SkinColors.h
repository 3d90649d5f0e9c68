#pragma once

#include "uilogic/SkinColors.h"

#include <QColor>

// The skin's colour as Qt paints it.
QColor SkinColor(Skin role);
