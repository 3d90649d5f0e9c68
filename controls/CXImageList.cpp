#include "controls/CXImageList.h"

#include "controls/ResourceScheme.h"

#include <QPainter>

bool CXImageList::Create(const QImage& strip, int cellWidth, int cellHeight) {
    if (strip.isNull() || cellWidth <= 0 || cellHeight <= 0 || strip.height() < cellHeight ||
        strip.width() < cellWidth)
        return false;
    m_cx = cellWidth;
    m_cy = cellHeight;
    m_source = strip.convertToFormat(QImage::Format_RGB32);
    m_strip = m_source.convertToFormat(QImage::Format_ARGB32);
    const QRgb mask = m_background.rgb() & 0xFFFFFF;
    for (int y = 0; y < m_strip.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_strip.scanLine(y));
        for (int x = 0; x < m_strip.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == mask)
                line[x] = 0;
        }
    }
    return true;
}

bool CXImageList::Load(const QString& path, int cellWidth, int cellHeight) {
    return Create(QImage(path), cellWidth, cellHeight);
}

int CXImageList::Count() const {
    return IsNull() ? 0 : m_strip.width() / m_cx;
}

int CXImageList::Lookup(int key) const {
    if (m_bDirectIndex)
        return key;
    for (size_t i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i] == key)
            return static_cast<int>(i);
    }
    return -1;
}

bool CXImageList::ValidCell(int cell) const {
    return cell >= 0 && cell < Count();
}

QImage CXImageList::Cell(int cell) const {
    if (!ValidCell(cell))
        return {};
    return m_strip.copy(cell * m_cx, 0, m_cx, m_cy);
}

QImage CXImageList::GreyedCell(int cell, const QColor& background) const {
    if (!ValidCell(cell))
        return {};
    QImage image = m_source.copy(cell * m_cx, 0, m_cx, m_cy);
    const QRgb mask = m_background.rgb() & 0xFFFFFF;
    const QRgb fill = background.rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == mask) {
                line[x] = fill;
            } else {
                const int g = (qRed(line[x]) + qGreen(line[x]) + qBlue(line[x])) / 5 + 100;
                line[x] = qRgb(g, g, g);
            }
        }
    }
    return image;
}

void CXImageList::DrawNormal(QPainter& painter, int cell, QPoint at) const {
    if (ValidCell(cell))
        painter.drawImage(at, m_strip, QRect(cell * m_cx, 0, m_cx, m_cy));
}

void CXImageList::DrawHot(QPainter& painter, int cell, QPoint at) const {
    if (!ValidCell(cell))
        return;
    const qreal opacity = painter.opacity();
    painter.setOpacity(opacity * 0.5);
    DrawNormal(painter, cell, at);
    painter.setOpacity(opacity);
    DrawNormal(painter, cell, at - QPoint(1, 1));
}

void CXImageList::DrawGreyed(QPainter& painter, int cell, QPoint at,
                             const QColor& background) const {
    if (ValidCell(cell))
        painter.drawImage(at, GreyedCell(cell, background));
}

namespace {

CXImageList& SharedList() {
    static CXImageList list;
    return list;
}

} // namespace

bool LoadSharedImages() {
    CXImageList& list = SharedList();
    if (!list.IsNull())
        return true;
    list.SetDirectIndex(true);
    return list.Create(QImage(BitmapResourcePath(130)));
}

const CXImageList* SharedImages() {
    return &SharedList();
}
