// The keypad page: every key, pressed through the page's own script, edits the expression
// pane as the key table says; key addresses with trailing slashes; other addresses are
// followed; the focus comes back to the expression pane; the page survives what would break
// a web page.
#include "UiTestSupport.h"

#include "qt/controls/CXWebBrowser.h"
#include "qt/ui/MainDlg.h"
#include "settings/CalcSettings.h"
#include "settings/TextTable.h"
#include "uilogic/Layout.h"
#include "uilogic/Pages.h"
#include "uilogic/PaneText.h"

#include <QPlainTextEdit>
#include <QWebEnginePage>
#include <QWheelEvent>

#include <memory>

namespace {

// Puts text (with '\n' breaks) into the pane with the selection from s to e, both counted in
// the CR LF text.
void SetPane(QPlainTextEdit* pane, const QString& text, int s, int e) {
    pane->setPlainText(text);
    const std::u16string units = text.toStdU16String();
    QTextCursor cursor = pane->textCursor();
    cursor.setPosition(CursorPosFromCrLf(units, s));
    cursor.setPosition(CursorPosFromCrLf(units, e), QTextCursor::KeepAnchor);
    pane->setTextCursor(cursor);
}

// Every navigation the keypad view offers to the window, counted on the way.
int g_navigations = 0;
void CountingHook(BrowserHook* hook) {
    ++g_navigations;
    CMainDlg::OnPanelNavigate(hook);
}

int CaretCrLf(QPlainTextEdit* pane) {
    return CrLfPosFromCursor(pane->toPlainText().toStdU16String(), pane->textCursor().position());
}

} // namespace

class KeypadTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void pageHasEveryKey();
    void keyByClick_data();
    void keyByClick();
    void arrowKeysMoveCaret_data();
    void arrowKeysMoveCaret();
    void trailingSlashesInAddress_data();
    void trailingSlashesInAddress();
    void focusReturnsToPane();
    void mouseClickOnKey();
    void keypadStaysAsWritten();
    void addressOutsidePrefixIsFollowed();
    void everyKeyShowsWholeAtTheLeastHeight();

private:
    QWebEnginePage* Page() { return m_dlg->PanelView()->page(); }
    // Clicks the key's cell the way the page's script sees a click.
    void PressKey(const QString& key);
    // The centre of a key's cell in the view.
    QPoint KeyCentre(const QString& key);

    std::unique_ptr<ScratchSettings> m_scratch;
    std::unique_ptr<CMainDlg> m_dlg;
};

void KeypadTest::initTestCase() {
    g_settings = CalcSettings();
    m_scratch = std::make_unique<ScratchSettings>();
    m_dlg = std::make_unique<CMainDlg>(m_scratch->Path());
    QTRY_VERIFY_WITH_TIMEOUT(m_dlg->IsPanelLoaded(), 20000);
    QVERIFY(m_dlg->PanelView()->m_navigateHook.pfnCallback == &CMainDlg::OnPanelNavigate);
    m_dlg->PanelView()->m_navigateHook.pfnCallback = &CountingHook;
}

void KeypadTest::cleanupTestCase() {
    m_dlg.reset();
    m_scratch.reset();
}

void KeypadTest::init() {
    m_dlg->ExpressionPane()->setFocus();
}

void KeypadTest::PressKey(const QString& key) {
    const int before = g_navigations;
    const QVariant found = RunJs(Page(), QString("(function(){var c=document.getElementById('%1');"
                                                 "if(!c)return false;c.click();return true;})()")
                                             .arg(key));
    QVERIFY2(found.toBool(), qPrintable("no key " + key));
    QTRY_COMPARE(g_navigations, before + 1); // the key has been handled
}

void KeypadTest::pageHasEveryKey() {
    const QStringList keys = {"cos", "sin", "tan", "pi",   "asin", "acos", "atan", "ln",
                              "log", "exp", "ob",  "ox",   "pow",  "rad",  "mul",  "div",
                              "add", "sub", "dot", "par1", "par2", "equ",  "ent",  "del",
                              "up",  "dn",  "le",  "ri",   "n0",   "n1",   "n2",   "n3",
                              "n4",  "n5",  "n6",  "n7",   "n8",   "n9"};
    for (const QString& key : keys) {
        const QVariant attrs = RunJs(
            Page(), QString("(function(){var c=document.getElementById('%1');"
                            "return c?c.getAttribute('onclick')+'|'+c.getAttribute('ondblclick')"
                            "+'|'+c.getAttribute('onmousedown'):'';})()")
                        .arg(key));
        QCOMPARE(attrs.toString(), QString("ent(this)|ent(this)|ov(this,2)"));
    }
    QCOMPARE(RunJs(Page(), "typeof ov + typeof ent").toString(), QString("functionfunction"));
    // The five pictures load from the resource scheme.
    const QVariant pictures = RunJs(
        Page(), "(function(){var r=[];var im=document.images;for(var i=0;i<im.length;i++)"
                "r.push(im[i].naturalWidth+'x'+im[i].naturalHeight+':'+im[i].src.split(':')[0]);"
                "return r.join(' ');})()");
    QCOMPARE(pictures.toString(),
             QString("26x22:cvres 26x22:cvres 26x22:cvres 26x22:cvres 26x22:cvres"));
}

void KeypadTest::keyByClick_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("s");
    QTest::addColumn<int>("e");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("results");
    auto row = [](const char* key, const char* text, int s, int e, const char* result, int caret,
                  const char* results) {
        QTest::newRow(qPrintable(QString("%1 on '%2' %3-%4").arg(key, text).arg(s).arg(e)))
            << QString(key) << QString(text) << s << e << QString(result) << caret
            << QString(results);
    };
    row("sin", "1+2+3", 5, 5, "1+2+3sin()", 9, "err\n");
    row("cos", "", 0, 0, "cos()", 4, "err\n");
    row("tan", "", 0, 0, "tan()", 4, "err\n");
    row("pi", "2*", 2, 2, "2*pi", 4, "6.2832\n");
    row("asin", "", 0, 0, "asin()", 5, "err\n");
    row("acos", "", 0, 0, "acos()", 5, "err\n");
    row("atan", "", 0, 0, "atan()", 5, "err\n");
    row("ln", "", 0, 0, "ln()", 3, "err\n");
    row("log", "", 0, 0, "log()", 4, "err\n");
    row("exp", "", 0, 0, "exp()", 4, "err\n");
    row("ob", "", 0, 0, "0b", 2, "err\n");
    row("ox", "", 0, 0, "0x", 2, "err\n");
    row("pow", "2", 1, 1, "2^", 2, "err\n");
    row("rad", "", 0, 0, "root()", 5, "err\n");
    row("mul", "6", 1, 1, "6*", 2, "err\n");
    row("div", "6", 1, 1, "6/", 2, "err\n");
    row("add", "6", 1, 1, "6+", 2, "err\n");
    row("sub", "6", 1, 1, "6-", 2, "err\n");
    row("dot", "6", 1, 1, "6.", 2, "6\n");
    row("par1", "", 0, 0, "(", 1, "err\n");
    row("par2", "(1", 2, 2, "(1)", 3, "1\n");
    row("equ", "x", 1, 1, "x=", 2, "err\n");
    row("ent", "12", 1, 1, "1\n2", 3, "1\n2\n");
    row("n0", "1", 1, 1, "10", 2, "10\n");
    row("n1", "", 0, 0, "1", 1, "1\n");
    row("n2", "", 0, 0, "2", 1, "2\n");
    row("n3", "", 0, 0, "3", 1, "3\n");
    row("n4", "", 0, 0, "4", 1, "4\n");
    row("n5", "", 0, 0, "5", 1, "5\n");
    row("n6", "", 0, 0, "6", 1, "6\n");
    row("n7", "", 0, 0, "7", 1, "7\n");
    row("n8", "", 0, 0, "8", 1, "8\n");
    row("n9", "12345", 1, 3, "1945", 2, "1 945\n"); // a selection is replaced
    row("del", "123", 3, 3, "12", 2, "12\n");
    row("del", "12345", 1, 3, "45", 0, "45\n"); // the character before the selection goes too
    row("del", "123", 0, 0, "123", 0, "123\n");
    row("del", "123", 0, 2, "123", 0, "123\n"); // selection at 0: nothing changes
    row("del", "1\n2", 3, 3, "12", 1, "12\n");  // the CR LF goes as a whole
    row("del", "1\n\n2", 5, 5, "1\n2", 3, "1\n2\n");
}

void KeypadTest::keyByClick() {
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(int, s);
    QFETCH(int, e);
    QFETCH(QString, result);
    QFETCH(int, caret);
    QFETCH(QString, results);
    QPlainTextEdit* pane = m_dlg->ExpressionPane();
    SetPane(pane, text, s, e);
    const bool changes = result != text;
    PressKey(key);
    QCOMPARE(pane->toPlainText(), result);
    if (changes || s == e)
        QCOMPARE(CaretCrLf(pane), caret);
    QVERIFY(!changes || !pane->textCursor().hasSelection());
    QCOMPARE(m_dlg->ResultsPane()->toPlainText(), results);
}

void KeypadTest::arrowKeysMoveCaret_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    // "12\n345": CR LF positions 0..2 on the first line, 4..7 on the second.
    QTest::newRow("up") << "up" << 5 << 1;
    QTest::newRow("dn") << "dn" << 1 << 5;
    QTest::newRow("le") << "le" << 4 << 2; // over the line break
    QTest::newRow("ri") << "ri" << 2 << 4;
}

void KeypadTest::arrowKeysMoveCaret() {
    QFETCH(QString, key);
    QFETCH(int, from);
    QFETCH(int, to);
    QPlainTextEdit* pane = m_dlg->ExpressionPane();
    SetPane(pane, "12\n345", from, from);
    PressKey(key);
    QTRY_COMPARE(CaretCrLf(pane), to);
    QCOMPARE(pane->toPlainText(), QString("12\n345"));
}

void KeypadTest::trailingSlashesInAddress_data() {
    QTest::addColumn<QString>("address");
    QTest::newRow("no slash") << "sin";
    QTest::newRow("one slash") << "sin/";
    QTest::newRow("three slashes") << "sin///";
}

void KeypadTest::trailingSlashesInAddress() {
    QFETCH(QString, address);
    QPlainTextEdit* pane = m_dlg->ExpressionPane();
    SetPane(pane, "", 0, 0);
    const QString prefix = QString::fromLatin1(GetText(TextId::KeyLinkPrefix));
    RunJs(Page(), QString("window.location.href='%1%2';true").arg(prefix, address));
    QTRY_COMPARE(pane->toPlainText(), QString("sin()"));
    QCOMPARE(CaretCrLf(pane), 4);
    QVERIFY(Page()->url() == CXWebBrowser::DocumentBaseUrl()); // the page stayed
}

void KeypadTest::focusReturnsToPane() {
    QPlainTextEdit* pane = m_dlg->ExpressionPane();
    SetPane(pane, "", 0, 0);
    m_dlg->PanelView()->setFocus();
    PressKey("n5");
    QTRY_COMPARE(pane->toPlainText(), QString("5"));
    QTRY_COMPARE(QApplication::focusWidget(), pane);
}

QPoint KeypadTest::KeyCentre(const QString& key) {
    const QVariantList xy = RunJs(Page(), QString("(function(){var r=document.getElementById('%1')"
                                                  ".getBoundingClientRect();"
                                                  "return [r.left+r.width/2,r.top+r.height/2];})()")
                                              .arg(key))
                                .toList();
    return xy.size() == 2 ? QPoint(qRound(xy[0].toDouble()), qRound(xy[1].toDouble())) : QPoint();
}

void KeypadTest::mouseClickOnKey() {
    QPlainTextEdit* pane = m_dlg->ExpressionPane();
    SetPane(pane, "", 0, 0);
    QWidget* target = m_dlg->PanelView()->focusProxy();
    QVERIFY(target);
    const QPoint at = KeyCentre("n7");
    QVERIFY(!at.isNull());
    QTest::mouseMove(target, at);
    QTRY_COMPARE(RunJs(Page(), "document.getElementById('n7').className").toString(),
                 QString("d hot"));
    QTest::mouseClick(target, Qt::LeftButton, {}, at);
    QTRY_COMPARE(pane->toPlainText(), QString("7"));
    // A double click (press, release, press, release through the window) enters the key
    // twice, as two clicks do: the page ignores the double-click event that follows them.
    QTest::mouseDClick(m_dlg->windowHandle(), Qt::LeftButton, {}, target->mapTo(m_dlg.get(), at));
    QTRY_COMPARE(pane->toPlainText(), QString("777"));
    QTRY_COMPARE(QApplication::focusWidget(), pane);
}

void KeypadTest::keypadStaysAsWritten() {
    // A right click, the mouse's back button, Alt+Left and Ctrl+wheel over a key, then the
    // key still works and the page is the one written, at its own size.
    QPlainTextEdit* pane = m_dlg->ExpressionPane();
    SetPane(pane, "", 0, 0);
    QWidget* target = m_dlg->PanelView()->focusProxy();
    QVERIFY(target);
    const QPoint at = KeyCentre("n8");
    QVERIFY(!at.isNull());
    RunJs(Page(), "window.marker = 3");
    QTest::mouseClick(target, Qt::RightButton, {}, at);
    QTest::mouseClick(target, Qt::BackButton, {}, at);
    QTest::keyClick(target, Qt::Key_Left, Qt::AltModifier);
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
    QTest::qWait(300); // time for any of them to act
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
    QTest::mouseClick(target, Qt::LeftButton, {}, at);
    QTRY_COMPARE(pane->toPlainText(), QString("8"));
    QCOMPARE(RunJs(Page(), "window.marker").toInt(), 3);
    QCOMPARE(RunJs(Page(), "window.innerWidth").toInt(), m_dlg->PanelView()->width());
    QVERIFY(Page()->url() == CXWebBrowser::DocumentBaseUrl());
    QCOMPARE(QString::fromStdString(m_dlg->PanelView()->DocumentText()),
             QString::fromStdString(BuildPanelPage()));
}

void KeypadTest::addressOutsidePrefixIsFollowed() {
    // Last: the view leaves the keypad page.
    QPlainTextEdit* pane = m_dlg->ExpressionPane();
    SetPane(pane, "1", 1, 1);
    BrowserHook probe = m_dlg->PanelView()->m_navigateHook;
    probe.pszUrl = "https://example.org/";
    probe.bAllow = 0;
    CMainDlg::OnPanelNavigate(&probe);
    QCOMPARE(probe.bAllow, 1);
    QCOMPARE(pane->toPlainText(), QString("1"));

    const QString picture = QString::fromStdString(ResourceAddress(131));
    RunJs(Page(), QString("window.location.href='%1';true").arg(picture));
    QTRY_COMPARE(Page()->url().toString(), picture);
    QCOMPARE(pane->toPlainText(), QString("1"));
}

void KeypadTest::everyKeyShowsWholeAtTheLeastHeight() {
    CXWebBrowser* view = m_dlg->PanelView();
    const QRect laidOut = view->geometry();
    view->resize(laidOut.width(), KeypadLeastHeight());
    QTRY_COMPARE(RunJs(Page(), "window.innerHeight").toInt(), KeypadLeastHeight());
    // The last row's bottom edge, border included, lies inside the view.
    const QVariant bottom = RunJs(Page(), "document.getElementById('ent')"
                                          ".getBoundingClientRect().bottom");
    QVERIFY2(bottom.toDouble() <= KeypadLeastHeight() - 1, qPrintable(bottom.toString()));
    view->setGeometry(laidOut);
}

UI_TEST_MAIN(KeypadTest)
#include "KeypadTest.moc"
