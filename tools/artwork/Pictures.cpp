#include "Pictures.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace {

const QColor kMagenta(255, 0, 255);
// Button pictures are drawn over this colour where their edges are half covered: halfway
// between the normal and the hot button face.
const QColor kFaceMid(210, 223, 245);

QImage Transparent(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// Puts an antialiased cell onto magenta: nearly transparent pixels become magenta, the rest
// opaque, their partial coverage blended with the button face.
void PutCell(QImage& strip, const QImage& cell, int index) {
    const int size = cell.width();
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb c = cell.pixel(x, y);
            const int a = qAlpha(c);
            QRgb out = kMagenta.rgb();
            if (a >= 96) {
                auto mix = [a](int fg, int bg) { return (fg * a + bg * (255 - a) + 127) / 255; };
                out = qRgb(mix(qRed(c), kFaceMid.red()), mix(qGreen(c), kFaceMid.green()),
                           mix(qBlue(c), kFaceMid.blue()));
                if ((out & 0xFFFFFF) == (kMagenta.rgb() & 0xFFFFFF))
                    out = qRgb(254, 0, 254);
            }
            strip.setPixel(index * size + x, y, out);
        }
    }
}

// A map pin's round head: red ball, lit from the top left, with a dark rim.
void PinHead(QPainter& p, QPointF centre, double radius) {
    QRadialGradient ball(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.4);
    ball.setColorAt(0, QColor(255, 196, 186));
    ball.setColorAt(0.3, QColor(236, 64, 52));
    ball.setColorAt(1, QColor(150, 12, 10));
    p.setBrush(ball);
    p.setPen(QPen(QColor(104, 0, 0), 1.0));
    p.drawEllipse(centre, radius, radius);
}

QImage PinPushedIn(int scale) {
    // Seen from the side, stuck upright into the surface: a short needle under the head.
    QImage cell = Transparent(16 * scale, 16 * scale);
    QPainter p(&cell);
    p.scale(scale, scale); // drawn in the units of the 16 x 16 cell
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 70, 90));
    p.drawEllipse(QPointF(8.0, 14.6), 3.6, 1.1); // its shadow where it went in
    p.setPen(QPen(QColor(96, 96, 110), 1.4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(8.0, 9.0), QPointF(8.0, 14.4));
    PinHead(p, QPointF(8.0, 5.6), 4.6);
    return cell;
}

QImage PinSideways(int scale) {
    // Lying on its side, the long needle pointing left.
    QImage cell = Transparent(16 * scale, 16 * scale);
    QPainter p(&cell);
    p.scale(scale, scale); // drawn in the units of the 16 x 16 cell
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(96, 96, 110), 1.4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(0.8, 9.0), QPointF(8.0, 9.0));
    p.setPen(QPen(QColor(200, 200, 210), 1.0));
    p.drawLine(QPointF(1.5, 8.2), QPointF(6.5, 8.2));
    PinHead(p, QPointF(10.8, 8.0), 4.6);
    return cell;
}

QImage QuestionMark(int scale) {
    QImage cell = Transparent(16 * scale, 16 * scale);
    QPainter p(&cell);
    p.scale(scale, scale); // drawn in the units of the 16 x 16 cell
    p.setRenderHint(QPainter::Antialiasing);
    // Hook of the question mark as a thick stroke, then the dot.
    QPainterPath hook;
    hook.moveTo(4.6, 5.6);
    hook.cubicTo(4.6, 2.4, 11.4, 2.0, 11.4, 5.4);
    hook.cubicTo(11.4, 7.6, 8.0, 7.8, 8.0, 10.2);
    QPen outline(QColor(16, 48, 130), 3.8, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    QPen fill(QColor(60, 122, 225), 1.8, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    p.strokePath(hook, outline);
    p.fillRect(QRectF(6.1, 11.6, 3.8, 3.8), QColor(16, 48, 130));
    p.strokePath(hook, fill);
    p.fillRect(QRectF(7.0, 12.5, 2.0, 2.0), QColor(60, 122, 225));
    return cell;
}

QImage Arrow(bool right, int scale) {
    QImage cell = Transparent(16 * scale, 16 * scale);
    QPainter p(&cell);
    p.scale(scale, scale); // drawn in the units of the 16 x 16 cell
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF shape;
    shape << QPointF(1.5, 6.5) << QPointF(7.5, 6.5) << QPointF(7.5, 2.5) << QPointF(13.5, 8.5)
          << QPointF(7.5, 14.5) << QPointF(7.5, 10.5) << QPointF(1.5, 10.5);
    if (!right) {
        for (QPointF& point : shape)
            point.setX(16.0 - point.x());
    }
    // Shift so the arrow sits centred: it spans 1.5..13.5 (right) or 2.5..14.5 (left).
    const double dx = right ? 0.5 : -0.5;
    shape.translate(dx, 0);
    QLinearGradient gradient(0, 2, 0, 15);
    gradient.setColorAt(0, QColor(150, 226, 110));
    gradient.setColorAt(1, QColor(36, 146, 42));
    p.setBrush(gradient);
    p.setPen(QPen(QColor(18, 96, 24), 1.0));
    p.drawPolygon(shape);
    return cell;
}

QImage NotePad(int scale) {
    QImage cell = Transparent(16 * scale, 16 * scale);
    QPainter p(&cell);
    p.scale(scale, scale); // drawn in the units of the 16 x 16 cell
    // The pad: white sheet, blue binding, ruled lines.
    p.fillRect(1, 2, 11, 14, QColor(70, 82, 120));
    p.fillRect(2, 3, 9, 12, QColor(252, 253, 255));
    p.fillRect(1, 2, 11, 3, QColor(49, 106, 197));
    p.fillRect(1, 2, 11, 1, QColor(30, 70, 150));
    for (int x : {3, 6, 9})
        p.fillRect(x, 1, 1, 2, QColor(60, 60, 70));
    for (int y : {7, 9, 11, 13})
        p.fillRect(3, y, 6, 1, QColor(150, 180, 230));
    // The pencil, lying across the pad's lower right corner.
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(10.6, 9.4);
    p.rotate(-45);
    const QColor dark(90, 60, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    p.drawRoundedRect(QRectF(-4.4, -2.0, 10.6, 4.0), 0.8, 0.8);
    QPolygonF tip;
    tip << QPointF(-4.4, -2.0) << QPointF(-8.0, 0.0) << QPointF(-4.4, 2.0);
    p.drawPolygon(tip);
    p.setBrush(QColor(250, 206, 60));
    p.drawRect(QRectF(-3.6, -1.1, 6.4, 2.2));
    p.setBrush(QColor(236, 200, 160));
    QPolygonF wood;
    wood << QPointF(-3.6, -1.1) << QPointF(-6.4, 0.0) << QPointF(-3.6, 1.1);
    p.drawPolygon(wood);
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QPointF(-6.6, 0.0), 0.8, 0.8);
    p.setBrush(QColor(170, 170, 180));
    p.drawRect(QRectF(2.8, -1.1, 1.2, 2.2));
    p.setBrush(QColor(240, 120, 140));
    p.drawRect(QRectF(4.0, -1.1, 1.5, 2.2));
    return cell;
}

QImage CheckMark(int scale) {
    QImage cell = Transparent(16 * scale, 16 * scale);
    QPainter p(&cell);
    p.scale(scale, scale); // drawn in the units of the 16 x 16 cell
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tick;
    tick.moveTo(2.8, 8.6);
    tick.lineTo(6.2, 12.0);
    tick.lineTo(13.2, 3.8);
    p.strokePath(tick, QPen(QColor(12, 92, 20), 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.strokePath(tick, QPen(QColor(70, 190, 60), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    return cell;
}

QImage Cross(int scale) {
    QImage cell = Transparent(16 * scale, 16 * scale);
    QPainter p(&cell);
    p.scale(scale, scale); // drawn in the units of the 16 x 16 cell
    p.setRenderHint(QPainter::Antialiasing);
    const QLineF a(4.0, 4.0, 12.0, 12.0);
    const QLineF b(12.0, 4.0, 4.0, 12.0);
    const QPen outline(QColor(130, 10, 10), 4.4, Qt::SolidLine, Qt::RoundCap);
    const QPen fill(QColor(232, 56, 44), 2.4, Qt::SolidLine, Qt::RoundCap);
    p.setPen(outline);
    p.drawLine(a);
    p.drawLine(b);
    p.setPen(fill);
    p.drawLine(a);
    p.drawLine(b);
    return cell;
}

QImage InfoSign(int scale) {
    QImage cell = Transparent(16 * scale, 16 * scale);
    QPainter p(&cell);
    p.scale(scale, scale); // drawn in the units of the 16 x 16 cell
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient gradient(QPointF(6.0, 5.0), 10.0);
    gradient.setColorAt(0, QColor(120, 172, 244));
    gradient.setColorAt(1, QColor(28, 80, 186));
    p.setBrush(gradient);
    p.setPen(QPen(QColor(16, 48, 130), 1.0));
    p.drawEllipse(QRectF(0.5, 0.5, 15.0, 15.0));
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor white(255, 255, 255);
    p.fillRect(7, 3, 2, 2, white);  // dot
    p.fillRect(6, 6, 3, 1, white);  // serif
    p.fillRect(7, 7, 2, 5, white);  // stem
    p.fillRect(6, 11, 4, 1, white); // foot
    return cell;
}

// Fills the pixel rows of a triangle, so its edges are exact steps.
void Triangle(QImage& image, int resource) {
    const QColor colour(34, 58, 118);
    QPainter p(&image);
    for (int i = 0; i < 8; ++i) {
        const int length = 16 - 2 * i; // from the base (16) to the apex (2)
        switch (resource) {
        case 131: // down
            p.fillRect(5 + i, 7 + i, length, 1, colour);
            break;
        case 132: // up
            p.fillRect(5 + i, 14 - i, length, 1, colour);
            break;
        case 134: // left
            p.fillRect(16 - i, 3 + i, 1, length, colour);
            break;
        case 135: // right
            p.fillRect(9 + i, 3 + i, 1, length, colour);
            break;
        default:
            break;
        }
    }
}

void ReturnArrow(QImage& image) {
    const QColor colour(34, 58, 118);
    QPainter p(&image);
    p.fillRect(18, 4, 3, 9, colour);  // down stroke on the right
    p.fillRect(9, 10, 12, 3, colour); // stroke to the left
    for (int i = 0; i < 5; ++i)       // arrowhead pointing left, apex at x 4
        p.fillRect(4 + i, 11 - i, 1, 1 + 2 * i, colour);
    p.fillRect(9, 7, 1, 9, colour);
}

// The banner background: deep blue to the skin's frame blue, a soft light band across.
void BannerBackground(QPainter& p, const QRect& r) {
    QLinearGradient gradient(r.topLeft(), r.topRight());
    gradient.setColorAt(0, QColor(22, 58, 140));
    gradient.setColorAt(1, QColor(72, 132, 214));
    p.fillRect(r, gradient);
    QLinearGradient shine(r.topLeft(), r.bottomLeft());
    shine.setColorAt(0, QColor(255, 255, 255, 46));
    shine.setColorAt(0.5, QColor(255, 255, 255, 8));
    shine.setColorAt(1, QColor(0, 0, 0, 30));
    p.fillRect(r, shine);
    p.fillRect(r.left(), r.bottom(), r.width(), 1, QColor(18, 40, 100));
}

QFont BannerFont(double pixels, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(pixels));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void DrawBanner(QImage& image, int iconSize, int iconX, double titlePx, double subtitlePx,
                const QString& subtitle) {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRect r = image.rect();
    BannerBackground(p, r);
    const int iconY = (r.height() - iconSize) / 2;
    p.drawImage(iconX, iconY, DrawProgramIcon(iconSize));

    const QString title = QStringLiteral("Corvane Calculator");
    QFont titleFont = BannerFont(titlePx, true);
    const int textX = iconX + iconSize + iconX;
    // Shrink the title until it fits.
    while (QFontMetricsF(titleFont).horizontalAdvance(title) > r.width() - textX - 12 &&
           titleFont.pixelSize() > 8)
        titleFont.setPixelSize(titleFont.pixelSize() - 1);
    const QFont subFont = BannerFont(subtitlePx, false);
    const QFontMetricsF tm(titleFont);
    const QFontMetricsF sm(subFont);
    const double block = tm.ascent() + tm.descent() * 0.3 + subtitlePx * 0.5 + sm.ascent();
    const double titleBase = (r.height() - block) / 2.0 + tm.ascent();
    const double subBase = titleBase + tm.descent() * 0.3 + subtitlePx * 0.5 + sm.ascent();

    p.setFont(titleFont);
    p.setPen(QColor(10, 24, 70, 150));
    p.drawText(QPointF(textX + 1, std::round(titleBase) + 1), title);
    p.setPen(Qt::white);
    p.drawText(QPointF(textX, std::round(titleBase)), title);
    p.setFont(subFont);
    p.setPen(QColor(206, 224, 250));
    p.drawText(QPointF(textX + 1, std::round(subBase)), subtitle);
}

// Icon geometry on a 16-unit grid, each edge rounded to whole pixels at the drawn size.
struct Grid {
    double scale;
    int operator()(double units) const { return static_cast<int>(std::lround(units * scale)); }
    QRect Rect(double x0, double y0, double x1, double y1) const {
        return QRect(QPoint((*this)(x0), (*this)(y0)), QPoint((*this)(x1)-1, (*this)(y1)-1));
    }
};

} // namespace

QImage DrawButtonStrip(int scale) {
    QImage strip(144 * scale, 16 * scale, QImage::Format_RGB32);
    strip.fill(kMagenta);
    const QImage cells[9] = {PinPushedIn(scale), PinSideways(scale),  QuestionMark(scale),
                             Arrow(true, scale), Arrow(false, scale), NotePad(scale),
                             CheckMark(scale),   Cross(scale),        InfoSign(scale)};
    for (int i = 0; i < 9; ++i)
        PutCell(strip, cells[i], i);
    return strip;
}

QImage DrawKeypadPicture(int resource) {
    QImage image = Transparent(26, 22);
    if (resource == 133)
        ReturnArrow(image);
    else
        Triangle(image, resource);
    return image;
}

QImage DrawAboutBanner(int scale) {
    QImage image(293 * scale, 64 * scale, QImage::Format_ARGB32);
    DrawBanner(image, 48 * scale, 10 * scale, 22.0 * scale, 12.0 * scale,
               QStringLiteral("The worksheet calculator"));
    return image;
}

QImage DrawSetupBanner() {
    QImage image(458, 110, QImage::Format_ARGB32);
    DrawBanner(image, 64, 22, 28, 15, QStringLiteral("Setup"));
    return image;
}

QImage DrawSeparator() {
    QImage image(445, 10, QImage::Format_RGB32);
    image.fill(QColor(207, 217, 226)); // the dialog background
    QPainter p(&image);
    // An etched line: a dark stroke above a light one, fading out at both ends.
    QLinearGradient dark(0, 0, 445, 0);
    dark.setColorAt(0, QColor(207, 217, 226));
    dark.setColorAt(0.12, QColor(110, 136, 178));
    dark.setColorAt(0.88, QColor(110, 136, 178));
    dark.setColorAt(1, QColor(207, 217, 226));
    QLinearGradient light(0, 0, 445, 0);
    light.setColorAt(0, QColor(207, 217, 226));
    light.setColorAt(0.12, QColor(246, 250, 255));
    light.setColorAt(0.88, QColor(246, 250, 255));
    light.setColorAt(1, QColor(207, 217, 226));
    p.fillRect(0, 4, 445, 1, dark);
    p.fillRect(0, 5, 445, 1, light);
    return image;
}

QImage DrawProgramIcon(int size) {
    QImage image = Transparent(size, size);
    QPainter p(&image);
    const Grid g{size / 16.0};
    const bool detailed = size >= 32;
    const QColor outline(18, 46, 118);

    // Body: a blue calculator, rounded when there are pixels enough for it.
    const QRect body = g.Rect(2, 0, 14, 16);
    p.setRenderHint(QPainter::Antialiasing, detailed);
    QLinearGradient bodyFill(body.topLeft(), body.bottomLeft());
    bodyFill.setColorAt(0, QColor(86, 146, 228));
    bodyFill.setColorAt(1, QColor(34, 84, 174));
    if (detailed) {
        const double radius = size / 12.0;
        const double pen = std::max(1.0, size / 32.0);
        p.setPen(QPen(outline, pen));
        p.setBrush(bodyFill);
        p.drawRoundedRect(QRectF(body).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2), radius,
                          radius);
    } else {
        p.fillRect(body.adjusted(1, 0, -1, 0), outline);
        p.fillRect(body.adjusted(0, 1, 0, -1), outline);
        p.fillRect(body.adjusted(1, 1, -1, -1), bodyFill);
    }
    p.setRenderHint(QPainter::Antialiasing, false);

    // Display with a result in it.
    const QRect display = g.Rect(4, 2, 12, 5);
    p.fillRect(display, outline);
    const int edge = std::max(1, size / 48);
    p.fillRect(display.adjusted(edge, edge, -edge, -edge), QColor(232, 244, 255));
    if (size >= 48) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(std::max(6, display.height() - 4 * edge));
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font);
        p.setPen(QColor(20, 34, 70));
        p.drawText(display.adjusted(2 * edge, 0, -3 * edge, 0), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("42"));
    } else {
        p.fillRect(g.Rect(8, 3, 11, 4), QColor(20, 34, 70));
    }

    // Keys: three by three, the last one the orange "=" key.
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const double x = 4 + 3 * col;
            const double y = 7 + 3 * row;
            const QRect key = g.Rect(x, y, x + 2, y + 2);
            const bool equals = row == 2 && col == 2;
            const QColor face = equals ? QColor(250, 166, 40) : QColor(226, 236, 253);
            if (detailed) {
                // A raised key: face, light top edge, shadow along the bottom and right.
                const QColor shadow = equals ? QColor(150, 80, 0) : QColor(20, 52, 128);
                p.fillRect(key, face);
                p.fillRect(key.left(), key.bottom() - edge + 1, key.width(), edge, shadow);
                p.fillRect(key.right() - edge + 1, key.top(), edge, key.height(), shadow);
                p.fillRect(key.left(), key.top(), key.width() - edge, edge,
                           equals ? QColor(255, 214, 140) : QColor(255, 255, 255));
            } else {
                p.fillRect(key, face);
            }
        }
    }
    return image;
}
