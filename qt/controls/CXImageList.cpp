#include "qt/controls/CXImageList.h"

#include "qt/controls/ResourceScheme.h"
#include "uilogic/ImageRules.h"

#include <QPainter>

namespace {

// The strip with its background pixels transparent.
QImage Masked(const QImage& source, const QColor& background) {
    QImage strip = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < strip.height(); ++y)
        MaskPixels(reinterpret_cast<QRgb*>(strip.scanLine(y)),
                   static_cast<std::size_t>(strip.width()), background.rgb());
    return strip;
}

} // namespace

bool CXImageList::Create(const QImage& strip, int cellWidth, int cellHeight) {
    if (strip.isNull() || cellWidth <= 0 || cellHeight <= 0 || strip.height() < cellHeight ||
        strip.width() < cellWidth)
        return false;
    m_cx = cellWidth;
    m_cy = cellHeight;
    m_source = strip.convertToFormat(QImage::Format_RGB32);
    m_strip = Masked(m_source, m_background);
    m_strip2x = QImage();
    m_source2x = QImage();
    return true;
}

bool CXImageList::AddDoubleSize(const QImage& strip) {
    if (IsNull() || strip.size() != m_strip.size() * 2)
        return false;
    m_source2x = strip.convertToFormat(QImage::Format_RGB32);
    m_source2x.setDevicePixelRatio(1.0); // drawn by pixel rectangles
    m_strip2x = Masked(m_source2x, m_background);
    return true;
}

bool CXImageList::Load(const QString& path, int cellWidth, int cellHeight) {
    return Create(QImage(path), cellWidth, cellHeight);
}

int CXImageList::Count() const {
    return IsNull() ? 0 : m_strip.width() / m_cx;
}

int CXImageList::Lookup(int key) const {
    return LookupCell(key, m_bDirectIndex, m_keys);
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
    return Greyed(m_source, 1, cell, background);
}

QImage CXImageList::Greyed(const QImage& source, int scale, int cell,
                           const QColor& background) const {
    QImage image = source.copy(cell * m_cx * scale, 0, m_cx * scale, m_cy * scale);
    for (int y = 0; y < image.height(); ++y)
        GreyPixels(reinterpret_cast<QRgb*>(image.scanLine(y)),
                   static_cast<std::size_t>(image.width()), m_background.rgb(), background.rgb());
    return image;
}

bool CXImageList::UseDoubleSize(const QPainter& painter) const {
    return HasDoubleSize() && painter.device() && painter.device()->devicePixelRatio() > 1.0;
}

void CXImageList::DrawNormal(QPainter& painter, int cell, QPoint at) const {
    if (!ValidCell(cell))
        return;
    if (UseDoubleSize(painter))
        painter.drawImage(QRect(at, QSize(m_cx, m_cy)), m_strip2x,
                          QRect(cell * m_cx * 2, 0, m_cx * 2, m_cy * 2));
    else
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
    if (!ValidCell(cell))
        return;
    if (UseDoubleSize(painter))
        painter.drawImage(QRect(at, QSize(m_cx, m_cy)), Greyed(m_source2x, 2, cell, background));
    else
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
    if (!list.Create(QImage(BitmapResourcePath(130))))
        return false;
    list.AddDoubleSize(QImage(QStringLiteral(":/bitmap/130@2x.png")));
    return true;
}

const CXImageList* SharedImages() {
    return &SharedList();
}
