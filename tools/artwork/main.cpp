// Draws the program's artwork into the resources folder given as the only argument:
// bitmap/130.png (and 130@2x.png at double size), bitmap/138.png, bitmap/141.png, img/131..135.gif,
// img/140.gif (and img/142.png at double size) and icon/128_<size>.png. Each GIF is read back
// and compared with what was drawn.
#include "GifWriter.h"
#include "Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>

namespace {

bool SavePng(const QImage& image, const QString& path) {
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "artwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// Writes the GIF and checks that Qt reads back the same picture (exactly, for pictures of
// few colours; within the quantisation error otherwise).
bool SaveGif(const QImage& image, const QString& path, int tolerance) {
    if (!WriteGif(image, path)) {
        std::fprintf(stderr, "artwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    const QImage back = QImage(path).convertToFormat(QImage::Format_ARGB32);
    if (back.size() != image.size()) {
        std::fprintf(stderr, "artwork: %s reads back with another size\n", qPrintable(path));
        return false;
    }
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y);
            const QRgb b = back.pixel(x, y);
            const bool clearA = qAlpha(a) < 128;
            const bool clearB = qAlpha(b) < 128;
            const int d = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                          std::abs(qBlue(a) - qBlue(b));
            if (clearA != clearB || (!clearA && d > tolerance)) {
                std::fprintf(stderr, "artwork: %s differs at %d,%d\n", qPrintable(path), x, y);
                return false;
            }
        }
    }
    return true;
}

} // namespace

// Writes enlarged copies of the drawn files (nearest pixel, on a checkerboard where they are
// transparent, and on the button faces for the strip) for reviewing them by eye.
int Preview(const QDir& root, const QDir& out) {
    out.mkpath(QStringLiteral("."));
    const QStringList files = {
        "bitmap/130.png",  "bitmap/130@2x.png", "bitmap/138.png",  "bitmap/141.png",
        "img/131.gif",     "img/132.gif",       "img/133.gif",     "img/134.gif",
        "img/135.gif",     "img/140.gif",       "img/142.png",     "icon/128_16.png",
        "icon/128_24.png", "icon/128_32.png",   "icon/128_48.png", "icon/128_256.png"};
    // The nine button pictures on 20 x 20 buttons: normal face, hot face, greyed.
    {
        QImage strip =
            QImage(root.filePath("bitmap/130.png")).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < strip.height(); ++y)
            for (int x = 0; x < strip.width(); ++x)
                if ((strip.pixel(x, y) & 0xFFFFFF) == 0xFF00FF)
                    strip.setPixel(x, y, 0);
        QImage sheet(9 * 24 + 4, 3 * 24 + 4, QImage::Format_RGB32);
        sheet.fill(QColor(207, 217, 226));
        QPainter p(&sheet);
        const QColor faces[3] = {QColor(226, 236, 253), QColor(193, 210, 237),
                                 QColor(226, 236, 253)};
        for (int row = 0; row < 3; ++row) {
            for (int i = 0; i < 9; ++i) {
                const QRect button(4 + i * 24, 4 + row * 24, 20, 20);
                p.fillRect(button, QColor(49, 106, 197));
                p.fillRect(button.adjusted(1, 1, -1, -1), faces[row]);
                const QImage cell = strip.copy(i * 16, 0, 16, 16);
                if (row == 2) {
                    QImage grey = cell;
                    for (int y = 0; y < 16; ++y)
                        for (int x = 0; x < 16; ++x) {
                            const QRgb c = grey.pixel(x, y);
                            const int g = (qRed(c) + qGreen(c) + qBlue(c)) / 5 + 100;
                            grey.setPixel(x, y, qAlpha(c) ? qRgb(g, g, g) : faces[row].rgb());
                        }
                    p.drawImage(button.topLeft() + QPoint(2, 2), grey);
                } else {
                    p.drawImage(button.topLeft() + QPoint(2, 2), cell);
                }
            }
        }
        p.end();
        sheet.scaled(sheet.size() * 4).save(out.filePath("buttons_on_faces.png"));
    }
    for (const QString& name : files) {
        const QImage image = QImage(root.filePath(name)).convertToFormat(QImage::Format_ARGB32);
        const int zoom = image.width() <= 32 ? 8 : image.width() <= 160 ? 4 : 2;
        QImage big(image.size() * zoom, QImage::Format_RGB32);
        for (int y = 0; y < big.height(); ++y) {
            for (int x = 0; x < big.width(); ++x) {
                const QRgb c = image.pixel(x / zoom, y / zoom);
                const bool light = ((x / 8) + (y / 8)) % 2 == 0;
                const int bg = light ? 230 : 200;
                const int a = qAlpha(c);
                auto mix = [a, bg](int v) { return (v * a + bg * (255 - a)) / 255; };
                big.setPixel(x, y, qRgb(mix(qRed(c)), mix(qGreen(c)), mix(qBlue(c))));
            }
        }
        QString flat = name;
        flat.replace('/', '_');
        big.save(out.filePath(flat + ".png"));
    }
    return 0;
}

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc == 4 && QLatin1String(argv[1]) == QLatin1String("--preview"))
        return Preview(QDir(QString::fromLocal8Bit(argv[2])),
                       QDir(QString::fromLocal8Bit(argv[3])));
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvane_artwork <resources folder>\n"
                             "       corvane_artwork --preview <resources folder> <out folder>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const char* sub : {"bitmap", "img", "icon"})
        root.mkpath(QLatin1String(sub));

    bool ok = SavePng(DrawButtonStrip(), root.filePath("bitmap/130.png"));
    ok = SavePng(DrawButtonStrip(2), root.filePath("bitmap/130@2x.png")) && ok;
    ok = SavePng(DrawSetupBanner().convertToFormat(QImage::Format_RGB32),
                 root.filePath("bitmap/138.png")) &&
         ok;
    ok = SavePng(DrawSeparator(), root.filePath("bitmap/141.png")) && ok;
    for (int resource : {131, 132, 133, 134, 135})
        ok = SaveGif(DrawKeypadPicture(resource),
                     root.filePath(QStringLiteral("img/%1.gif").arg(resource)), 0) &&
             ok;
    ok = SaveGif(DrawAboutBanner(), root.filePath("img/140.gif"), 60) && ok;
    ok = SavePng(DrawAboutBanner(2).convertToFormat(QImage::Format_RGB32),
                 root.filePath("img/142.png")) &&
         ok;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        ok = SavePng(DrawProgramIcon(size),
                     root.filePath(QStringLiteral("icon/128_%1.png").arg(size))) &&
             ok;
    return ok ? 0 : 1;
}
