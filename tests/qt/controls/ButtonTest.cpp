// The skinned button: its four looks pixel by pixel, posted clicks, the press-drag-release
// rules and the keyboard; the dialog's Esc and Enter.
#include "TestRegistry.h"

#include "qt/controls/CXButton.h"
#include "qt/controls/CXDialog.h"
#include "qt/controls/CXEdit.h"
#include "qt/controls/CXImageList.h"
#include "qt/controls/SkinColors.h"

#include <QCursor>
#include <QDir>
#include <QPainter>
#include <QTest>

#include <memory>
#include <vector>

namespace {

const DialogTemplate kButtons{
    600,
    "Buttons",
    200,
    80,
    DlgStyle::Popup | DlgStyle::Caption | DlgStyle::SysMenu,
    8,
    {
        {1001, ControlKind::Edit, "", 5, 5, 60, 12, CtlStyle::Border | CtlStyle::TabStop},
        {DialogId::Ok, ControlKind::PushButton, "OK", 10, 40, 60, 16,
         CtlStyle::Default | CtlStyle::TabStop},
        {1004, ControlKind::PushButton, "", 80, 40, 14, 12, CtlStyle::TabStop},
        {DialogId::Cancel, ControlKind::PushButton, "Cancel", 110, 40, 60, 16, CtlStyle::TabStop},
    }};

// Records the commands that reach a dialog, with the button's state at that moment.
struct Recorder {
    struct Command {
        int id;
        int code;
        bool pressedThen;
        bool hoverThen;
    };
    std::vector<Command> commands;
    // Waits until a sentinel command posted now has come back: everything posted before it
    // has been delivered too.
    bool Drain(CXDialog& dialog) {
        const size_t before = commands.size();
        dialog.PostCommand(9999, 0);
        const bool ok =
            WaitUntil([&] { return commands.size() > before && commands.back().id == 9999; });
        commands.pop_back();
        return ok;
    }
    int Count(int id) const {
        int n = 0;
        for (const auto& c : commands)
            n += c.id == id ? 1 : 0;
        return n;
    }
};

// The look of a button, painted now.
QImage Look(CXButton* button) {
    return button->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QColor At(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

// The cell drawn over a face colour, as the button should show it.
QImage CellOn(int cell, const QColor& face, bool greyed) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(face);
    QPainter painter(&image);
    if (greyed)
        SharedImages()->DrawGreyed(painter, cell, {0, 0}, face);
    else
        SharedImages()->DrawNormal(painter, cell, {0, 0});
    return image;
}

QColor Darkest(const QImage& image, const QRect& area) {
    QColor darkest(255, 255, 255);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = At(image, x, y);
            if (c.red() + c.green() + c.blue() < darkest.red() + darkest.green() + darkest.blue())
                darkest = c;
        }
    }
    return darkest;
}

bool SameBlock(const QImage& image, QPoint at, const QImage& block) {
    return image.copy(QRect(at, block.size())) == block;
}

} // namespace

class ButtonTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CXDialog> m_dialog;
    Recorder m_rec;
    CXButton* m_ok = nullptr;

private slots:
    void init() {
        m_dialog = std::make_unique<CXDialog>(kButtons);
        m_rec = Recorder();
        connect(m_dialog.get(), &CXDialog::commandReceived, this, [this](int id, int code) {
            auto* b = m_dialog->ControlAs<CXButton>(id);
            m_rec.commands.push_back({id, code, b && b->IsPressed(), b && b->IsHover()});
        });
        m_ok = m_dialog->ControlAs<CXButton>(DialogId::Ok);
        m_ok->SetImage(SharedImages(), SharedImage::Ok);
        m_dialog->ControlAs<CXButton>(1004)->SetImage(SharedImages(), SharedImage::Help);
        m_dialog->ControlAs<CXButton>(DialogId::Cancel)
            ->SetImage(SharedImages(), SharedImage::Cancel);
        // The mouse starts away from the dialog, whatever the test before did.
        QCursor::setPos(QPoint(0, 0));
        m_dialog->move(200, 200);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
        m_dialog->Control(1001)->setFocus();
        QTRY_VERIFY(m_dialog->Control(1001)->hasFocus());
    }
    void cleanup() { m_dialog.reset(); }

    void normalLook() {
        const QImage look = Look(m_ok);
        const int w = look.width(), h = look.height();
        QCOMPARE(m_ok->PaintedState(), int(CXButton::Normal));
        for (QPoint p : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1),
                         QPoint(w / 2, 0), QPoint(0, h / 2)})
            QCOMPARE(At(look, p.x(), p.y()), QColor(49, 106, 197));
        QCOMPARE(At(look, w - 3, 2), QColor(226, 236, 253));
        // Picture 6 pixels from the left, centred vertically.
        QVERIFY(SameBlock(look, {6, (h - 16) / 2},
                          CellOn(SharedImage::Ok, SkinColor(Skin::ButtonFace), false)));
        // Black caption right of the picture: its darkest pixel is black or nearly (text is
        // antialiased), not the grey-blue of the disabled caption.
        const QColor ink = Darkest(look, QRect(23, 1, w - 24, h - 2));
        QVERIFY2(ink.red() < 60 && ink.blue() - ink.red() <= 8, qPrintable(ink.name()));
    }

    void pictureOnlyButtonCentresIt() {
        auto* help = m_dialog->ControlAs<CXButton>(1004);
        const QImage look = Look(help);
        const QPoint at((look.width() - 16) / 2, (look.height() - 16) / 2);
        QVERIFY(SameBlock(look, at, CellOn(SharedImage::Help, SkinColor(Skin::ButtonFace), false)));
    }

    void hotLook() {
        QTest::mouseMove(m_ok, QPoint(30, 8));
        QTRY_VERIFY(m_ok->IsHover());
        const QImage look = Look(m_ok);
        const int w = look.width(), h = look.height();
        QCOMPARE(m_ok->PaintedState(), int(CXButton::Hot));
        QCOMPARE(At(look, 0, 0), QColor(237, 247, 255)); // top and left: light
        QCOMPARE(At(look, 0, h - 2), QColor(237, 247, 255));
        QCOMPARE(At(look, w - 1, 0), QColor(0, 36, 128));    // right edge owns its corners
        QCOMPARE(At(look, 0, h - 1), QColor(0, 36, 128));    // bottom edge too
        QCOMPARE(At(look, w - 3, 2), QColor(193, 210, 237)); // hot face
        // The picture: full copy one pixel up and left of the blended one.
        QImage expected(18, 18, QImage::Format_RGB32);
        expected.fill(SkinColor(Skin::ButtonFaceHot));
        {
            QPainter painter(&expected);
            SharedImages()->DrawHot(painter, SharedImage::Ok, {1, 1});
        }
        QVERIFY(SameBlock(look, {5, (h - 16) / 2 - 1}, expected));
    }

    void pressedLook() {
        QTest::mouseMove(m_ok, QPoint(30, 8));
        QTRY_VERIFY(m_ok->IsHover());
        QTest::mousePress(m_ok, Qt::LeftButton, {}, QPoint(30, 8));
        const QImage look = Look(m_ok);
        const int w = look.width(), h = look.height();
        QCOMPARE(m_ok->PaintedState(), int(CXButton::Pressed));
        QCOMPARE(At(look, 0, 0), QColor(0, 36, 128));
        QCOMPARE(At(look, w - 1, h - 1), QColor(237, 247, 255));
        QCOMPARE(At(look, w - 3, 2), QColor(193, 210, 237));
        QVERIFY(SameBlock(look, {7, (h - 16) / 2 + 1},
                          CellOn(SharedImage::Ok, SkinColor(Skin::ButtonFaceHot), false)));
        // The press took the focus: the focus line, one pixel lower than usual.
        QVERIFY(m_ok->hasFocus());
        QCOMPARE(At(look, w / 2 + 8, h - 2), QColor(0, 100, 16));
        QTest::mouseRelease(m_ok, Qt::LeftButton, {}, QPoint(30, 8));
    }

    void disabledLook() {
        QVERIFY(!m_ok->Enable(false));
        QVERIFY(m_ok->Enable(false)); // it was disabled already
        const QImage look = Look(m_ok);
        const int h = look.height();
        QCOMPARE(m_ok->PaintedState(), int(CXButton::Disabled));
        QCOMPARE(At(look, 0, 0), QColor(49, 106, 197));
        QCOMPARE(At(look, look.width() - 3, 2), QColor(226, 236, 253));
        QVERIFY(SameBlock(look, {6, (h - 16) / 2},
                          CellOn(SharedImage::Ok, SkinColor(Skin::ButtonFace), true)));
        // Caption in grey-blue (96, 96, 128): its darkest pixel is that colour or, antialiased,
        // a little lighter along the line to the face colour; never black.
        const QColor ink = Darkest(look, QRect(23, 1, look.width() - 24, h - 2));
        QVERIFY2(ink.red() >= 96 && ink.red() < 130 && ink.blue() - ink.red() >= 24,
                 qPrintable(ink.name()));
        // Mouse moves are ignored while disabled.
        QTest::mouseMove(m_ok, QPoint(30, 8));
        QTest::mouseClick(m_ok, Qt::LeftButton, {}, QPoint(30, 8));
        QVERIFY(m_rec.Drain(*m_dialog));
        QCOMPARE(m_rec.Count(DialogId::Ok), 0);
        QVERIFY(!m_ok->IsHover());
    }

    void focusLine() {
        m_ok->setFocus();
        QTRY_VERIFY(m_ok->hasFocus());
        const QImage look = Look(m_ok);
        const int w = look.width(), h = look.height();
        // From text left + 2 + 10 (picture) to text right - 4, exclusive; text left = 16.
        const int y = h - 3;
        QCOMPARE(At(look, 16 + 12, y), QColor(0, 100, 16));
        QCOMPARE(At(look, w - 5, y), QColor(0, 100, 16));
        QVERIFY(At(look, 16 + 11, y) != QColor(0, 100, 16));
        QVERIFY(At(look, w - 4, y) != QColor(0, 100, 16));
    }

    void clickIsPostedAfterTheButtonUpdated() {
        QTest::mouseMove(m_ok, QPoint(30, 8));
        QTest::mousePress(m_ok, Qt::LeftButton, {}, QPoint(30, 8));
        QTest::mouseRelease(m_ok, Qt::LeftButton, {}, QPoint(30, 8));
        QCOMPARE(m_rec.commands.size(), size_t(0)); // not sent: posted
        QTRY_COMPARE(m_rec.Count(DialogId::Ok), 1);
        QCOMPARE(m_rec.commands[0].code, 0);
        QVERIFY(!m_rec.commands[0].pressedThen);
        QVERIFY(!m_rec.commands[0].hoverThen);
        QVERIFY(m_rec.Drain(*m_dialog));
        QCOMPARE(m_rec.Count(DialogId::Ok), 1);
    }

    void dragging_data() {
        QTest::addColumn<bool>("backInside");
        QTest::addColumn<int>("clicks");
        QTest::newRow("released outside") << false << 0;
        QTest::newRow("dragged back in") << true << 1;
    }
    void dragging() {
        QFETCH(bool, backInside);
        QFETCH(int, clicks);
        const QPoint inside(30, 8);
        const QPoint outside(30, 60);
        QTest::mouseMove(m_ok, inside);
        QTest::mousePress(m_ok, Qt::LeftButton, {}, inside);
        QTest::mouseMove(m_ok, outside);
        QTRY_VERIFY(!m_ok->IsHover());
        Look(m_ok);
        QCOMPARE(m_ok->PaintedState(), int(CXButton::Normal)); // held outside: normal look
        if (backInside) {
            QTest::mouseMove(m_ok, inside);
            QTRY_VERIFY(m_ok->IsHover());
            Look(m_ok);
            QCOMPARE(m_ok->PaintedState(), int(CXButton::Pressed));
        }
        QTest::mouseRelease(m_ok, Qt::LeftButton, {}, backInside ? inside : outside);
        QVERIFY(m_rec.Drain(*m_dialog));
        QCOMPARE(m_rec.Count(DialogId::Ok), clicks);
        QVERIFY(!m_ok->IsPressed());
    }

    void doubleClickIsOneClick() {
        QTest::mouseMove(m_ok, QPoint(30, 8));
        // What Qt delivers for a real double click: press, release, press, double click,
        // release (QTest::mouseDClick alone sends only the double-click event).
        const QPoint at(30, 8);
        QTest::mousePress(m_ok, Qt::LeftButton, {}, at);
        QTest::mouseRelease(m_ok, Qt::LeftButton, {}, at);
        QTest::mousePress(m_ok, Qt::LeftButton, {}, at);
        QTest::mouseDClick(m_ok, Qt::LeftButton, {}, at);
        QTest::mouseRelease(m_ok, Qt::LeftButton, {}, at);
        QVERIFY(m_rec.Drain(*m_dialog));
        QCOMPARE(m_rec.Count(DialogId::Ok), 1);
    }

    void keys_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }
    void keys() {
        QFETCH(int, key);
        auto* cancel = m_dialog->ControlAs<CXButton>(DialogId::Cancel);
        cancel->setFocus();
        QTRY_VERIFY(cancel->hasFocus());
        QTest::keyClick(cancel, Qt::Key(key));
        QVERIFY(m_rec.Drain(*m_dialog));
        // Exactly one click, by the focused button (not the default one).
        QCOMPARE(m_rec.Count(DialogId::Cancel), 1);
        QCOMPARE(m_rec.Count(DialogId::Ok), 0);
        QTest::keyClick(cancel, Qt::Key_A);
        QVERIFY(m_rec.Drain(*m_dialog));
        QCOMPARE(m_rec.commands.size(), size_t(1));
    }

    void enterInAnEditPressesTheDefaultButton() {
        QTest::keyClick(m_dialog->Control(1001), Qt::Key_Return);
        QVERIFY(m_rec.Drain(*m_dialog));
        QCOMPARE(m_rec.Count(DialogId::Ok), 1);
    }

    void escCancels() {
        QTest::keyClick(m_dialog->Control(1001), Qt::Key_Escape);
        QTRY_VERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QCOMPARE(m_rec.Count(DialogId::Cancel), 1);
    }

    void escWithDisabledCancelDoesNothing() {
        auto* edit = m_dialog->ControlAs<CXEdit>(1001);
        m_dialog->Control(DialogId::Cancel)->setEnabled(false);
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(m_rec.Drain(*m_dialog));
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_rec.commands.size(), size_t(0));
    }

    void saveScreenshot() {
        // Every state side by side, for looking at.
        auto* help = m_dialog->ControlAs<CXButton>(1004);
        auto* cancel = m_dialog->ControlAs<CXButton>(DialogId::Cancel);
        QVERIFY(!m_ok->IsHover() && !help->IsHover());
        QImage sheet(m_ok->width() * 4 + 50, m_ok->height() * 2 + 30, QImage::Format_RGB32);
        sheet.fill(SkinColor(Skin::DialogBackground));
        QPainter painter(&sheet);
        auto put = [&](CXButton* b, int column, int row) {
            painter.drawImage(10 + column * (m_ok->width() + 10), 10 + row * (m_ok->height() + 10),
                              Look(b));
        };
        put(m_ok, 0, 0);
        put(help, 0, 1);
        QTest::mouseMove(m_ok, QPoint(30, 8));
        QTRY_VERIFY(m_ok->IsHover());
        put(m_ok, 1, 0);
        QTest::mousePress(m_ok, Qt::LeftButton, {}, QPoint(30, 8));
        put(m_ok, 2, 0);
        QTest::mouseRelease(m_ok, Qt::LeftButton, {}, QPoint(30, 8));
        QTest::mouseMove(help, QPoint(5, 5));
        QTRY_VERIFY(help->IsHover());
        put(help, 1, 1);
        QTest::mousePress(help, Qt::LeftButton, {}, QPoint(5, 5));
        put(help, 2, 1);
        QTest::mouseRelease(help, Qt::LeftButton, {}, QPoint(5, 5));
        cancel->Enable(false);
        help->Enable(false);
        put(cancel, 3, 0);
        put(help, 3, 1);
        painter.end();
        const QString path = QDir::temp().filePath(QStringLiteral("corvane-buttons.png"));
        QVERIFY(sheet.save(path));
        QVERIFY(m_dialog->grab().save(
            QDir::temp().filePath(QStringLiteral("corvane-button-dialog.png"))));
    }
};

CONTROLS_TEST(ButtonTest);
#include "ButtonTest.moc"
