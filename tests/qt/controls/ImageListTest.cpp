// The image list: masking, the greyed rule, lookup, double-size pictures on dense screens,
// and the shared pictures.
#include "TestRegistry.h"

#include "qt/controls/CXImageList.h"
#include "qt/controls/SkinColors.h"

#include <QPainter>
#include <QTest>

namespace {

// A 2-cell strip: cell 0 holds a few known colours on magenta, cell 1 is all magenta.
QImage KnownStrip() {
    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 255));
    strip.setPixel(0, 0, qRgb(0, 0, 0));
    strip.setPixel(1, 0, qRgb(255, 255, 255));
    strip.setPixel(2, 0, qRgb(10, 20, 30));
    strip.setPixel(3, 0, qRgb(255, 0, 254)); // almost magenta: not the mask colour
    strip.setPixel(4, 0, qRgb(200, 100, 50));
    return strip;
}

// KnownStrip at double size: cell 0 holds a one-pixel checkerboard of black and white in its
// top left 4 x 4 pixels, which no enlargement of a 16 x 16 cell can give.
QImage DoubleStrip() {
    QImage strip(64, 32, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 255));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            strip.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    return strip;
}

// A target of 16 x 16 logical pixels with `ratio` device pixels to each, on green.
QImage Target(int ratio) {
    QImage target(16 * ratio, 16 * ratio, QImage::Format_ARGB32);
    target.setDevicePixelRatio(ratio);
    target.fill(QColor(0, 255, 0));
    return target;
}

} // namespace

class ImageListTest : public QObject {
    Q_OBJECT
private slots:
    void greyedRule_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<QColor>("expected");
        // g = (R + G + B) / 5 + 100, integer division; magenta becomes the background.
        QTest::newRow("black") << 0 << QColor(100, 100, 100);
        QTest::newRow("white") << 1 << QColor(253, 253, 253);
        QTest::newRow("dark") << 2 << QColor(112, 112, 112);
        QTest::newRow("near magenta") << 3 << QColor(201, 201, 201);
        QTest::newRow("orange") << 4 << QColor(170, 170, 170);
        QTest::newRow("mask") << 5 << QColor(226, 236, 253);
    }
    void greyedRule() {
        QFETCH(int, x);
        QFETCH(QColor, expected);
        CXImageList list;
        QVERIFY(list.Create(KnownStrip()));
        const QImage greyed = list.GreyedCell(0, SkinColor(Skin::ButtonFace));
        QCOMPARE(QColor(greyed.pixel(x, 0)), expected);
    }

    void maskIsTransparentInNormalDrawing() {
        CXImageList list;
        QVERIFY(list.Create(KnownStrip()));
        QImage canvas(16, 16, QImage::Format_RGB32);
        canvas.fill(QColor(1, 2, 3));
        {
            QPainter painter(&canvas);
            list.DrawNormal(painter, 0, {0, 0});
        }
        QCOMPARE(QColor(canvas.pixel(0, 0)), QColor(0, 0, 0));
        QCOMPARE(QColor(canvas.pixel(3, 0)), QColor(255, 0, 254));
        QCOMPARE(QColor(canvas.pixel(5, 0)), QColor(1, 2, 3)); // magenta: untouched
        QCOMPARE(QColor(canvas.pixel(15, 15)), QColor(1, 2, 3));
    }

    void allMagentaCell() {
        // Nothing in the normal and hot states; plain background when greyed.
        CXImageList list;
        QVERIFY(list.Create(KnownStrip()));
        QImage canvas(20, 20, QImage::Format_RGB32);
        canvas.fill(QColor(9, 9, 9));
        {
            QPainter painter(&canvas);
            list.DrawNormal(painter, 1, {2, 2});
            list.DrawHot(painter, 1, {2, 2});
        }
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                QCOMPARE(QColor(canvas.pixel(x, y)), QColor(9, 9, 9));
        const QImage greyed = list.GreyedCell(1, QColor(226, 236, 253));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                QCOMPARE(QColor(greyed.pixel(x, y)), QColor(226, 236, 253));
    }

    void hotDrawsHalfThenFullOffset() {
        CXImageList list;
        QVERIFY(list.Create(KnownStrip()));
        QImage canvas(20, 20, QImage::Format_RGB32);
        canvas.fill(QColor(255, 255, 255));
        {
            QPainter painter(&canvas);
            list.DrawHot(painter, 0, {2, 2});
        }
        // Full picture one pixel up and left: black pixel (0,0) of the cell lands at (1,1).
        QCOMPARE(QColor(canvas.pixel(1, 1)), QColor(0, 0, 0));
        // The half-opacity copy at (2,2) shows only where the full one does not cover it:
        // cell pixel (4,0) at (6,2) is covered by cell pixel (5,1) = mask, so it stays blended.
        const QColor blended(canvas.pixel(6, 2));
        QVERIFY2(qAbs(blended.red() - 227) <= 2 && qAbs(blended.green() - 177) <= 2 &&
                     qAbs(blended.blue() - 152) <= 2,
                 qPrintable(blended.name()));
    }

    void lookup() {
        CXImageList list;
        QVERIFY(list.Create(KnownStrip()));
        QCOMPARE(list.Count(), 2);
        list.SetKeys({40, 7});
        QCOMPARE(list.Lookup(7), 1);
        QCOMPARE(list.Lookup(40), 0);
        QCOMPARE(list.Lookup(3), -1);
        list.SetDirectIndex(true);
        QCOMPARE(list.Lookup(1), 1);
    }

    void doubleSizeOnDenseScreens() {
        CXImageList list;
        QVERIFY(list.Create(KnownStrip()));
        QVERIFY(!list.AddDoubleSize(KnownStrip())); // not twice the size
        QVERIFY(!list.HasDoubleSize());
        QVERIFY(list.AddDoubleSize(DoubleStrip()));

        QImage dense = Target(2);
        {
            QPainter p(&dense);
            list.DrawNormal(p, 0, QPoint(0, 0));
        }
        for (int i = 0; i < 4; ++i)
            QCOMPARE(dense.pixel(i, 0), i % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        QCOMPARE(dense.pixel(10, 10), qRgb(0, 255, 0)); // magenta stays transparent

        QImage greyed = Target(2);
        {
            QPainter p(&greyed);
            list.DrawGreyed(p, 0, QPoint(0, 0), QColor(1, 2, 3));
        }
        QCOMPARE(greyed.pixel(0, 0), qRgb(100, 100, 100));
        QCOMPARE(greyed.pixel(1, 0), qRgb(253, 253, 253));
        QCOMPARE(greyed.pixel(10, 10), qRgb(1, 2, 3));

        // One device pixel to a logical one: the 16 x 16 pictures, pixel for pixel.
        QImage plain = Target(1);
        {
            QPainter p(&plain);
            list.DrawNormal(p, 0, QPoint(0, 0));
        }
        QCOMPARE(plain.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(plain.pixel(1, 0), qRgb(255, 255, 255));
        QCOMPARE(plain.pixel(2, 0), qRgb(10, 20, 30));
    }

    void sharedPictures() {
        const CXImageList* shared = SharedImages();
        QVERIFY(shared && !shared->IsNull());
        QCOMPARE(shared->Count(), 9);
        QCOMPARE(shared->Lookup(SharedImage::About), 8);
        QVERIFY(shared->HasDoubleSize());
        // Every picture has both drawn pixels and a transparent surround.
        for (int cell = 0; cell < 9; ++cell) {
            const QImage image = shared->Cell(cell);
            int opaque = 0;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    opaque += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
            QVERIFY2(opaque > 20 && opaque < 250, qPrintable(QString::number(cell)));
        }
    }
};

CONTROLS_TEST(ImageListTest);
#include "ImageListTest.moc"
