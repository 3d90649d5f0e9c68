// The compiled-in pictures and the resource addresses that name them.
#include "TestRegistry.h"

#include "platform/ModulePath.h"
#include "qt/controls/ResourceScheme.h"
#include "settings/ResourceAddress.h"
#include "settings/TextTable.h"

#include <QImageReader>
#include <QTest>

class ResourceSchemeTest : public QObject {
    Q_OBJECT
private slots:
    void schemeComesFromTheAddressFormat() {
        const std::string format = GetText(TextId::ResourceAddressFormat);
        QVERIFY(format.rfind(ResourceSchemeName().toStdString() + ":", 0) == 0);
    }

    void parseOwnAddresses_data() {
        QTest::addColumn<int>("number");
        QTest::newRow("131") << 131;
        QTest::newRow("140") << 140;
        QTest::newRow("0") << 0;
    }
    void parseOwnAddresses() {
        QFETCH(int, number);
        std::string path;
        int parsed = -1;
        QVERIFY(ParseResourceAddress(ResourceAddress(number), path, parsed));
        QCOMPARE(parsed, number);
        QCOMPARE(path, GetModulePath());
    }

    void parseDecodesThePath() {
        const std::string path = "/opt/My Programs/calc+1%/corvane";
        const std::string address =
            FormatResourceAddress(GetText(TextId::ResourceAddressFormat), path, 133);
        QVERIFY(address.find(' ') == std::string::npos); // encoded
        std::string decoded;
        int number = 0;
        QVERIFY(ParseResourceAddress(address, decoded, number));
        QCOMPARE(decoded, path);
        QCOMPARE(number, 133);
    }

    void parseRejects_data() {
        QTest::addColumn<QString>("address");
        const QString scheme = QString::fromLatin1(ResourceSchemeName());
        QTest::newRow("other scheme") << "http://img/usr/bin/corvane/131";
        QTest::newRow("no number") << scheme + "://img/usr/bin/corvane/";
        QTest::newRow("letters") << scheme + "://img/usr/bin/corvane/13a";
        QTest::newRow("no path") << scheme + "://img/131";
        QTest::newRow("huge number") << scheme + "://img/usr/bin/corvane/99999999999";
        QTest::newRow("empty") << QString();
    }
    void parseRejects() {
        QFETCH(QString, address);
        std::string path;
        int number = 0;
        QVERIFY(!ParseResourceAddress(address.toStdString(), path, number));
    }

    void pictures_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QByteArray>("mime");
        for (int n : {131, 132, 133, 134, 135})
            QTest::addRow("%d", n) << n << QSize(26, 22) << QByteArray("image/gif");
        QTest::newRow("140") << 140 << QSize(293, 64) << QByteArray("image/gif");
        QTest::newRow("142") << 142 << QSize(586, 128) << QByteArray("image/png");
    }
    void pictures() {
        QFETCH(int, number);
        QFETCH(QSize, size);
        QFETCH(QByteArray, mime);
        const QString path = ImageResourcePath(number);
        QVERIFY(!path.isEmpty());
        QCOMPARE(ImageMimeType(path), mime);
        QImageReader reader(path);
        QCOMPARE(reader.format(), mime.mid(6)); // "image/gif" is read as "gif"
        const QImage image = reader.read();
        QCOMPARE(image.size(), size);
    }

    void keypadPicturesAreTransparentAroundTheirShape() {
        for (int n : {131, 132, 133, 134, 135}) {
            const QImage image =
                QImage(ImageResourcePath(n)).convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(image.pixel(25, 21)), 0);
            int opaque = 0;
            for (int y = 0; y < 22; ++y)
                for (int x = 0; x < 26; ++x)
                    opaque += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
            QVERIFY2(opaque >= 40 && opaque <= 200, qPrintable(QString::number(n)));
        }
    }

    void noPictureForOtherNumbers() {
        QVERIFY(ImageResourcePath(130).isEmpty()); // a bitmap, not a picture
        QVERIFY(ImageResourcePath(999).isEmpty());
        QVERIFY(BitmapResource(999).isNull());
    }

    void bitmaps_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QSize>("size");
        QTest::newRow("button strip") << 130 << QSize(144, 16);
        QTest::newRow("setup banner") << 138 << QSize(458, 110);
        QTest::newRow("separator") << 141 << QSize(445, 10);
    }
    void bitmaps() {
        QFETCH(int, number);
        QFETCH(QSize, size);
        QCOMPARE(BitmapResource(number).size(), size);
    }

    void programIcon() {
        const QIcon icon = ProgramIcon();
        QVERIFY(!icon.isNull());
        const QList<QSize> sizes = icon.availableSizes();
        for (int side : {16, 32, 48, 256})
            QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
    }
};

CONTROLS_TEST(ResourceSchemeTest);
#include "ResourceSchemeTest.moc"
