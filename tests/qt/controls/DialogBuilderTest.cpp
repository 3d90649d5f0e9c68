// The dialog builder: dialog units follow the font, controls are found by id with the right
// classes, styles and rectangles; a dialog too big for the screen is fitted onto it.
#include "TestRegistry.h"

#include "qt/controls/CXButton.h"
#include "qt/controls/CXCheckBox.h"
#include "qt/controls/CXDialog.h"
#include "qt/controls/CXEdit.h"
#include "qt/controls/CXRadioGroup.h"
#include "qt/controls/ControlId.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>

namespace {

const DialogTemplate kSample{
    500,
    "Sample",
    238,
    146,
    DlgStyle::Popup | DlgStyle::Caption | DlgStyle::SysMenu | DlgStyle::ModalFrame,
    8,
    {
        {kNoId, ControlKind::Static, "Show", 29, 22, 23, 12, CtlStyle::VCenter},
        {1006, ControlKind::Edit, "", 54, 22, 26, 12,
         CtlStyle::Border | CtlStyle::AutoHScroll | CtlStyle::TabStop},
        {1007, ControlKind::CheckBox, "Delete trailing 0", 54, 38, 86, 10, CtlStyle::TabStop},
        {1010, ControlKind::RadioButton, "Minimize", 48, 96, 43, 10, CtlStyle::Group},
        {1011, ControlKind::RadioButton, "Exit app", 92, 96, 41, 10},
        {1012, ControlKind::RadioButton, "Do nothing", 134, 96, 51, 10},
        {1020, ControlKind::Edit, "a\r\nb", 10, 110, 60, 30,
         CtlStyle::MultiLine | CtlStyle::ReadOnly | CtlStyle::AutoHScroll},
        {DialogId::Ok, ControlKind::PushButton, "OK", 125, 125, 50, 14,
         CtlStyle::Default | CtlStyle::Group | CtlStyle::TabStop},
        {DialogId::Cancel, ControlKind::PushButton, "Cancel", 181, 125, 50, 14,
         CtlStyle::TabStop | CtlStyle::Disabled},
        {1013, ControlKind::Static, "", 242, 225, 57, 14, CtlStyle::Hidden},
        {1023, ControlKind::Picture, "", 0, 0, 10, 10, CtlStyle::None, 141},
    }};

} // namespace

class DialogBuilderTest : public QObject {
    Q_OBJECT
private slots:
    void unitsFollowTheFont_data() {
        QTest::addColumn<int>("pointSize");
        QTest::newRow("8 pt") << 8;
        QTest::newRow("16 pt") << 16;
    }
    void unitsFollowTheFont() {
        QFETCH(int, pointSize);
        DialogTemplate tmpl = kSample;
        tmpl.fontPointSize = pointSize;
        CXDialog dialog(tmpl);
        const DialogUnits units = DialogUnits::FromFont(dialog.font());
        const QFontMetrics metrics(dialog.font());
        const int letters = metrics.horizontalAdvance(
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
        QCOMPARE(units.baseX, (letters / 26 + 1) / 2);
        QCOMPARE(units.baseY, metrics.height());
        // Client size: 238 x 146 units, rounded like MulDiv.
        QCOMPARE(dialog.width(), (238 * units.baseX + 2) / 4);
        QCOMPARE(dialog.height(), (146 * units.baseY + 4) / 8);
        QCOMPARE(dialog.Control(DialogId::Ok)->geometry(), units.MapRect(125, 125, 50, 14));
        QCOMPARE(dialog.Control(1006)->geometry(), dialog.MapDialogRect(54, 22, 26, 12));
    }

    void biggerFontGivesBiggerDialog() {
        DialogTemplate big = kSample;
        big.fontPointSize = 16;
        CXDialog small(kSample);
        CXDialog large(big);
        QVERIFY(large.width() > small.width() * 3 / 2);
        QVERIFY(large.height() > small.height() * 3 / 2);
    }

    void mapRectKeepsNeighboursAligned() {
        DialogUnits units;
        units.baseX = 7;
        units.baseY = 15;
        // Right edge of one rectangle = left edge of the next, whatever the rounding.
        const QRect a = units.MapRect(3, 5, 7, 3);
        const QRect b = units.MapRect(10, 8, 5, 3);
        QCOMPARE(a.x() + a.width(), b.x());
        QCOMPARE(a.y() + a.height(), b.y());
        QCOMPARE(units.MapX(2), 4);   // 3.5 rounds up
        QCOMPARE(units.MapY(4), 8);   // 7.5 rounds up
        QCOMPARE(units.MapX(-2), -4); // halves away from zero
    }

    void controlsByIdAndKind() {
        CXDialog dialog(kSample);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Sample"));
        QVERIFY(dialog.ControlAs<CXEdit>(1006));
        QVERIFY(dialog.ControlAs<CXCheckBox>(1007));
        QVERIFY(dialog.ControlAs<CXRadioGroup>(1010));
        QVERIFY(dialog.ControlAs<QRadioButton>(1011));
        QVERIFY(!dialog.ControlAs<CXRadioGroup>(1011));
        QVERIFY(dialog.ControlAs<QPlainTextEdit>(1020));
        QVERIFY(dialog.ControlAs<QPlainTextEdit>(1020)->isReadOnly());
        QVERIFY(dialog.ControlAs<QPlainTextEdit>(1020)->textInteractionFlags().testFlag(
            Qt::TextSelectableByKeyboard));
        QCOMPARE(dialog.ControlAs<QPlainTextEdit>(1020)->lineWrapMode(), QPlainTextEdit::NoWrap);
        auto* ok = dialog.ControlAs<CXButton>(DialogId::Ok);
        QVERIFY(ok);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isEnabled());
        QVERIFY(!dialog.Control(DialogId::Cancel)->isEnabled());
        QVERIFY(dialog.Control(1013)->isHidden());
        QVERIFY(!dialog.Control(4242));
        QVERIFY(!dialog.ControlAs<CXButton>(1006)); // wrong class: null, not a bad cast
        QCOMPARE(ControlId(dialog.Control(1007)), 1007);
    }

    void pictureTakesTheBitmapSize() {
        CXDialog dialog(kSample);
        auto* picture = dialog.ControlAs<QLabel>(1023);
        QVERIFY(picture);
        QCOMPARE(picture->size(), QSize(445, 10));
    }

    void tooBigForTheScreenIsFitted_data() {
        QTest::addColumn<int>("style");
        QTest::newRow("fixed") << int(kSample.style);
        QTest::newRow("resizable")
            << int(DlgStyle::Popup | DlgStyle::Caption | DlgStyle::SysMenu | DlgStyle::ThickFrame);
    }
    void tooBigForTheScreenIsFitted() {
        QFETCH(int, style);
        DialogTemplate huge = kSample;
        huge.style = static_cast<unsigned>(style);
        huge.cx = 4000; // dialog units: far wider and taller than any screen
        huge.cy = 3000;
        CXDialog dialog(huge);
        const QSize room = dialog.screen()->availableGeometry().size();
        QVERIFY(dialog.width() > room.width() && dialog.height() > room.height());
        dialog.show();
        QVERIFY(dialog.width() <= room.width() - 8);
        QVERIFY(dialog.height() <= room.height() - 28);
        QVERIFY(dialog.width() >= room.width() / 2);

        CXDialog small(kSample); // one that fits keeps its size
        const QSize before = small.size();
        small.show();
        QCOMPARE(small.size(), before);
    }

    void skinBackground() {
        CXDialog dialog(kSample);
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(207, 217, 226));
        auto* edit = dialog.ControlAs<CXEdit>(1006);
        QCOMPARE(edit->palette().color(QPalette::Base), QColor(236, 246, 255));
        auto* pane = dialog.ControlAs<QPlainTextEdit>(1020);
        QCOMPARE(pane->palette().color(QPalette::Base), QColor(207, 217, 226));
        edit->setReadOnly(true);
        QCOMPARE(edit->palette().color(QPalette::Base), QColor(207, 217, 226));
    }
};

CONTROLS_TEST(DialogBuilderTest);
#include "DialogBuilderTest.moc"
