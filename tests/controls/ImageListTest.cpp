// The image list: masking, the greyed rule, lookup, and the shared pictures.
#include "TestRegistry.h"

#include "controls/CXImageList.h"
#include "controls/SkinColors.h"

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

    void sharedPictures() {
        const CXImageList* shared = SharedImages();
        QVERIFY(shared && !shared->IsNull());
        QCOMPARE(shared->Count(), 9);
        QCOMPARE(shared->Lookup(SharedImage::About), 8);
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
