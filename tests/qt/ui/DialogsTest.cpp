// The Settings, About and Help dialogs: template rectangles, reading the options back on OK,
// Cancel, Esc, the pages with the version text and the banner, and the Help layout.
#include "UiTestSupport.h"

#include "qt/controls/CXButton.h"
#include "qt/controls/CXCheckBox.h"
#include "qt/controls/CXEdit.h"
#include "qt/controls/CXImageList.h"
#include "qt/controls/CXRadioGroup.h"
#include "qt/ui/AboutDlg.h"
#include "qt/ui/HelpDlg.h"
#include "qt/ui/SettingsDlg.h"
#include "settings/CalcSettings.h"
#include "settings/TextTable.h"
#include "uilogic/DialogTemplates.h"

#include <QWebEnginePage>

Q_DECLARE_METATYPE(QRect)

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init();

    void settingsControlRectangles_data();
    void settingsControlRectangles();
    void settingsShowsCurrentOptions();
    void settingsDecimals_data();
    void settingsDecimals();
    void settingsOkReadsEveryControl();
    void settingsEscWithoutChoice();
    void settingsCancelAndEsc();
    void aboutPage();
    void aboutEscCloses();
    void aboutSmallerKeepsItsLayout();
    void helpPage();
    void helpLayoutFollowsSize();
    void helpEscStaysOpen();
};

void DialogsTest::init() {
    g_settings = CalcSettings();
}

void DialogsTest::settingsControlRectangles_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("dialogUnits");
    QTest::newRow("decimals") << SettingsId::Decimals << "" << QRect(54, 22, 26, 12);
    QTest::newRow("trailing") << SettingsId::Trailing << "Delete trailing 0"
                              << QRect(54, 38, 86, 10);
    QTest::newRow("group") << SettingsId::Group << "Group digits" << QRect(54, 51, 86, 10);
    QTest::newRow("save") << SettingsId::Save << "Save edited expressions"
                          << QRect(29, 81, 144, 10);
    QTest::newRow("minimize") << SettingsId::EscMinimize << "Minimize" << QRect(48, 96, 43, 10);
    QTest::newRow("exit") << SettingsId::EscExit << "Exit app" << QRect(92, 96, 41, 10);
    QTest::newRow("nothing") << SettingsId::EscNothing << "Do nothing" << QRect(134, 96, 51, 10);
    QTest::newRow("ok") << DialogId::Ok << "OK" << QRect(125, 125, 50, 14);
    QTest::newRow("cancel") << DialogId::Cancel << "Cancel" << QRect(181, 125, 50, 14);
}

void DialogsTest::settingsControlRectangles() {
    QFETCH(int, id);
    QFETCH(QString, text);
    QFETCH(QRect, dialogUnits);
    CSettingsDlg dlg;
    QWidget* control = dlg.Control(id);
    QVERIFY(control);
    QCOMPARE(control->geometry(), dlg.MapDialogRect(dialogUnits.x(), dialogUnits.y(),
                                                    dialogUnits.width(), dialogUnits.height()));
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        QCOMPARE(button->text(), text);
    QCOMPARE(dlg.size(), dlg.MapDialogRect(0, 0, 238, 146).size());
    QCOMPARE(dlg.windowTitle(), QString("Settings"));
}

void DialogsTest::settingsShowsCurrentOptions() {
    g_settings.m_decimals = 7;
    g_settings.m_deleteTrailingZeros = 0;
    g_settings.m_groupDigits = 5; // any nonzero value ticks the box
    g_settings.m_saveExpressions = 1;
    g_settings.m_escAction = EscAction::Exit;
    CSettingsDlg dlg;
    QCOMPARE(dlg.DecimalsField()->text(), QString("7"));
    QVERIFY(!dlg.ControlAs<CXCheckBox>(SettingsId::Trailing)->isChecked());
    QVERIFY(dlg.ControlAs<CXCheckBox>(SettingsId::Group)->isChecked());
    QVERIFY(dlg.ControlAs<CXCheckBox>(SettingsId::Save)->isChecked());
    QVERIFY(dlg.ControlAs<QAbstractButton>(SettingsId::EscExit)->isChecked());
    QCOMPARE(dlg.ControlAs<CXButton>(DialogId::Ok)->Image(), SharedImage::Ok);
    QCOMPARE(dlg.ControlAs<CXButton>(DialogId::Cancel)->Image(), SharedImage::Cancel);
    dlg.show();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dlg.DecimalsField()));
}

void DialogsTest::settingsDecimals_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("decimals");
    QTest::newRow("7") << "7" << 7;
    QTest::newRow("20") << "20" << 15;
    QTest::newRow("-3") << "-3" << 0;
    QTest::newRow("3.5") << "3.5" << 3;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("leading blank") << " 12" << 12;
}

void DialogsTest::settingsDecimals() {
    QFETCH(QString, typed);
    QFETCH(int, decimals);
    g_settings.m_decimals = 9;
    CSettingsDlg dlg;
    dlg.show();
    dlg.DecimalsField()->selectAll();
    QTest::keyClick(dlg.DecimalsField(), Qt::Key_Delete);
    QTest::keyClicks(dlg.DecimalsField(), typed);
    QTest::mouseClick(dlg.Control(DialogId::Ok), Qt::LeftButton);
    QTRY_COMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(g_settings.m_decimals, decimals);
}

void DialogsTest::settingsOkReadsEveryControl() {
    CSettingsDlg dlg;
    dlg.show();
    for (int id : {SettingsId::Trailing, SettingsId::Group, SettingsId::Save}) {
        QWidget* box = dlg.Control(id);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    QTest::mouseClick(dlg.Control(SettingsId::EscMinimize), Qt::LeftButton, {}, QPoint(6, 5));
    QTest::keyClick(&dlg, Qt::Key_Return); // Enter presses OK
    QTRY_COMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(g_settings.m_deleteTrailingZeros, 0);
    QCOMPARE(g_settings.m_groupDigits, 0);
    QCOMPARE(g_settings.m_saveExpressions, 0);
    QCOMPARE(g_settings.m_escAction, EscAction::Minimise);
    QCOMPARE(g_settings.m_decimals, 4);
}

void DialogsTest::settingsEscWithoutChoice() {
    g_settings.m_escAction = static_cast<EscAction>(5); // from a hand-edited file
    CSettingsDlg dlg;
    for (int id : {SettingsId::EscMinimize, SettingsId::EscExit, SettingsId::EscNothing})
        QVERIFY(!dlg.ControlAs<QAbstractButton>(id)->isChecked());
    dlg.show();
    QTest::mouseClick(dlg.Control(DialogId::Ok), Qt::LeftButton);
    QTRY_COMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(g_settings.m_escAction, static_cast<EscAction>(-1));
}

void DialogsTest::settingsCancelAndEsc() {
    for (const bool byEsc : {false, true}) {
        g_settings = CalcSettings();
        CSettingsDlg dlg;
        dlg.show();
        dlg.DecimalsField()->selectAll();
        QTest::keyClicks(dlg.DecimalsField(), "11");
        QWidget* box = dlg.Control(SettingsId::Group);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        QSignalSpy finished(&dlg, &QDialog::finished);
        if (byEsc)
            QTest::keyClick(dlg.DecimalsField(), Qt::Key_Escape);
        else
            QTest::mouseClick(dlg.Control(DialogId::Cancel), Qt::LeftButton);
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(g_settings.m_decimals, 4);
        QCOMPARE(g_settings.m_groupDigits, 1);
    }
}

void DialogsTest::aboutPage() {
    CAboutDlg dlg;
    dlg.show();
    QVERIFY(WaitForWrittenPage(dlg.PageView()));
    QWebEnginePage* page = dlg.PageView()->page();
    const QString version = QString::fromLatin1(GetText(TextId::Version));
    QVERIFY(!version.isEmpty());
    QCOMPARE(RunJs(page, "document.documentElement.outerHTML.indexOf('$ver$')").toInt(), -1);
    QCOMPARE(RunJs(page, "document.getElementById('version').textContent").toString(), version);
    QVERIFY(RunJs(page, "document.title").toString().endsWith(version));
    QTRY_COMPARE(RunJs(page, "document.getElementById('banner').naturalWidth").toInt(), 293);
    QCOMPARE(RunJs(page, "document.getElementById('banner').naturalHeight").toInt(), 64);
    QVERIFY(RunJs(page, "document.getElementById('banner').src").toString().startsWith("cvres:"));
    // Layout: the page above 40 pixels of button room; OK on the placeholder's rectangle.
    QCOMPARE(dlg.PageView()->geometry(), QRect(0, 0, dlg.width(), dlg.height() - 40));
    auto* ok = dlg.ControlAs<CXButton>(DialogId::Ok);
    QCOMPARE(ok->geometry(), dlg.MapDialogRect(242, 225, 57, 14));
    QCOMPARE(ok->text(), QString("Ok"));
    QCOMPARE(ok->Image(), SharedImage::Ok);
    QVERIFY(!dlg.Control(DialogId::Cancel)->isVisible());
    QCOMPARE(dlg.windowTitle(), QString("About"));
    QCOMPARE(dlg.size(), dlg.MapDialogRect(0, 0, 306, 246).size());
}

void DialogsTest::aboutSmallerKeepsItsLayout() {
    // As when fitted onto a small screen: the page above the button room, OK at the same
    // distance from the bottom right corner, inside the dialog.
    CAboutDlg dlg;
    const QSize full = dlg.size();
    auto* ok = dlg.ControlAs<CXButton>(DialogId::Ok);
    const QRect okFull = dlg.MapDialogRect(242, 225, 57, 14);
    dlg.setFixedSize(full - QSize(100, 120));
    dlg.show();
    QCOMPARE(dlg.PageView()->geometry(), QRect(0, 0, dlg.width(), dlg.height() - 40));
    QCOMPARE(ok->geometry(), okFull.translated(-100, -120));
    QVERIFY(dlg.rect().contains(ok->geometry()));
}

void DialogsTest::aboutEscCloses() {
    CAboutDlg dlg;
    dlg.show();
    QSignalSpy finished(&dlg, &QDialog::finished);
    QTest::keyClick(dlg.Control(DialogId::Ok), Qt::Key_Escape);
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void DialogsTest::helpPage() {
    CHelpDlg dlg;
    dlg.show();
    QVERIFY(WaitForWrittenPage(dlg.PageView()));
    QWebEnginePage* page = dlg.PageView()->page();
    const QString version = QString::fromLatin1(GetText(TextId::Version));
    QCOMPARE(RunJs(page, "document.documentElement.outerHTML.indexOf('$ver$')").toInt(), -1);
    QVERIFY(RunJs(page, "document.body.textContent").toString().contains(version));
    QTRY_COMPARE(RunJs(page, "document.getElementById('banner').naturalWidth").toInt(), 293);
    // The page teaches every part of the language.
    const QString text = RunJs(page, "document.body.textContent").toString();
    for (const char* topic :
         {"Operators and precedence", "Numbers", "Display suffixes", "Variables", "Functions",
          "Comments", "Options", "0x1F", "0b101", ",x", "pow(x,y)", "//"})
        QVERIFY2(text.contains(topic), topic);
    QCOMPARE(dlg.windowTitle(), QString("Help"));
    // The contents links move within the page.
    RunJs(page, "document.querySelector('#toc a[href=\"#options\"]').click();true");
    QTRY_VERIFY(RunJs(page, "window.scrollY").toInt() > 0);
    QVERIFY(RunJs(page, "document.getElementById('options') !== null").toBool());
}

void DialogsTest::helpLayoutFollowsSize() {
    CHelpDlg dlg;
    dlg.show();
    for (const QSize size : {QSize(700, 500), QSize(420, 300)}) {
        dlg.resize(size);
        QTRY_COMPARE(dlg.size(), size);
        QCOMPARE(dlg.PageView()->geometry(), QRect(0, 0, size.width(), size.height() - 40));
        QCOMPARE(dlg.Control(DialogId::Ok)->geometry(),
                 QRect(size.width() - 80, size.height() - 30, 70, 25));
    }
}

void DialogsTest::helpEscStaysOpen() {
    CHelpDlg dlg;
    dlg.show();
    QSignalSpy finished(&dlg, &QDialog::finished);
    QTest::keyClick(dlg.Control(DialogId::Ok), Qt::Key_Escape);
    QTest::keyClick(dlg.PageView()->focusProxy() ? dlg.PageView()->focusProxy()
                                                 : static_cast<QWidget*>(dlg.PageView()),
                    Qt::Key_Escape);
    QCoreApplication::processEvents(); // a posted Cancel would run here
    QCOMPARE(finished.count(), 0);
    QVERIFY(dlg.isVisible());
    dlg.close(); // the close box ends it
    QTRY_COMPARE(finished.count(), 1);
}

UI_TEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
