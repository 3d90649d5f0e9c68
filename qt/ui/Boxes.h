#pragma once

#include "uilogic/Geometry.h"

#include <QRect>

// The UI logic's rectangles as Qt's, and back.
inline QRect RectOf(const ScreenBox& box) {
    return QRect(box.x, box.y, box.width, box.height);
}

inline ScreenBox BoxOf(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}
