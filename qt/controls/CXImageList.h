#pragma once

#include "uilogic/ButtonPictures.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>

#include <vector>

class QPainter;

// A strip of equal cells (16 x 16 by default) with magenta as the transparent colour, drawn
// normal, hot (blended) or greyed.
class CXImageList {
public:
    CXImageList() = default;

    // Cuts the strip into cells; pixels of the background colour become transparent.
    bool Create(const QImage& strip, int cellWidth = 16, int cellHeight = 16);
    // Create from an image file or Qt resource.
    bool Load(const QString& path, int cellWidth = 16, int cellHeight = 16);
    // The same pictures drawn at double size, for screens of double density: cells of twice
    // the width and height, in the same order on the same background. False (and nothing
    // changes) when the strip is not exactly twice the size of the one created.
    bool AddDoubleSize(const QImage& strip);
    bool HasDoubleSize() const { return !m_strip2x.isNull(); }
    bool IsNull() const { return m_strip.isNull(); }
    int Count() const;
    int CellWidth() const { return m_cx; }
    int CellHeight() const { return m_cy; }

    QColor BackgroundColor() const { return m_background; }
    void SetBackgroundColor(const QColor& colour) { m_background = colour; }
    void SetDirectIndex(bool direct) { m_bDirectIndex = direct; }
    void SetKeys(std::vector<int> keys) { m_keys = std::move(keys); }

    // The cell of a key: the key itself with the direct index, else its position in the key
    // list; -1 when there is none.
    int Lookup(int key) const;

    // The cell with its transparent pixels (alpha 0).
    QImage Cell(int cell) const;
    // The greyed cell: background pixels become `background`, every other pixel the grey
    // (R + G + B) / 5 + 100. Opaque.
    QImage GreyedCell(int cell, const QColor& background) const;

    // Each draws the cell's 16 x 16 (logical) pixels at `at`; on a device of more than one
    // pixel per logical pixel, from the double-size pictures when there are some.
    void DrawNormal(QPainter& painter, int cell, QPoint at) const;
    // Half-opacity copy at `at`, then the normal picture one pixel up and left of it.
    void DrawHot(QPainter& painter, int cell, QPoint at) const;
    void DrawGreyed(QPainter& painter, int cell, QPoint at, const QColor& background) const;

private:
    bool ValidCell(int cell) const;
    bool UseDoubleSize(const QPainter& painter) const;
    QImage Greyed(const QImage& source, int scale, int cell, const QColor& background) const;

    QImage m_strip;   // ARGB32, background pixels transparent
    QImage m_source;  // RGB32 as loaded, for the greyed rule
    QImage m_strip2x; // the same at double size, or null
    QImage m_source2x;
    QColor m_background{255, 0, 255};
    std::vector<int> m_keys;
    int m_cx = 16;
    int m_cy = 16;
    bool m_bDirectIndex = false;
};

// The shared button pictures: nine cells from bitmap resource 130, keyed by cell index.
// Loaded once at start (after the QApplication exists); false when the bitmap is missing.
bool LoadSharedImages();
// The shared list (empty until LoadSharedImages).
const CXImageList* SharedImages();
