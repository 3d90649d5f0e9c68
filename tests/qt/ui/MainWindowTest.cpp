// The main window: results beside the expressions, level scrolling, the keypad panel's space,
// the Esc actions, the focus keeper, keep-on-top and saving on close and after Settings OK.
#include "UiTestSupport.h"

#include "qt/controls/CXButton.h"
#include "qt/controls/CXCheckBox.h"
#include "qt/controls/CXEdit.h"
#include "qt/controls/CXImageList.h"
#include "qt/ui/MainDlg.h"
#include "qt/ui/SettingsDlg.h"
#include "settings/CalcSettings.h"
#include "settings/SettingsFile.h"
#include "uilogic/DialogTemplates.h"

#include <QClipboard>
#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QToolTip>
#include <QWebEnginePage>
#include <QWheelEvent>
#include <QWindow>

#include <memory>

namespace {

// The first line the pane shows, found from what is drawn at its top.
int FirstVisibleLine(QPlainTextEdit* pane) {
    return pane->cursorForPosition(QPoint(2, 2)).blockNumber();
}

QString NumberedLines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QString("%1*2").arg(i);
    return lines.join('\n');
}

// The smallest outer window, frame included.
QSize OuterMinimum(QWidget* window) {
    return window->minimumSize().grownBy(window->windowHandle()->frameMargins());
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void firstRunPlacement();
    void windowIsPaintedBeforeTheKeypad();
    void typingShowsResultsOnTheirLines();
    void deletingALineMovesResultsUp();
    void scrollingKeepsPanesLevel_data();
    void scrollingKeepsPanesLevel();
    void recalculationKeepsPanesLevel();
    void resultsPaneIsAReadOnlyEdit();
    void resultsShowTheirLeftEdgeOnceLeft();
    void keypadKeysAreUndoneOneByOne();
    void savedExpressionsAreNoUndoStep();
    void resultsSelectionHidesWithoutTheFocus();
    void resultToolTipsTellWhatThePaneCannotShow();
    void hidingPanelNarrowsWindow();
    void escActions_data();
    void escActions();
    void focusKeeperReturnsFocus();
    void focusKeeperLeavesResultsPane();
    void focusKeeperLeavesModalDialog();
    void keepOnTopButton();
    void settingsOkRecalculatesAndSaves();
    void settingsCancelChangesNothing();
    void closeWritesRealRectangle();
    void closeWhileMinimisedKeepsRectangle();
    void savedPlacementAndExpressionsRestore();

private:
    CMainDlg* Open();
    void ClickButton(int id);

    std::unique_ptr<ScratchSettings> m_scratch;
    std::unique_ptr<CMainDlg> m_dlg;
};

void MainWindowTest::init() {
    g_settings = CalcSettings();
    m_scratch = std::make_unique<ScratchSettings>();
    QVERIFY(m_scratch->dir.isValid());
}

void MainWindowTest::cleanup() {
    m_dlg.reset();
    m_scratch.reset();
}

CMainDlg* MainWindowTest::Open() {
    m_dlg = std::make_unique<CMainDlg>(m_scratch->Path());
    return m_dlg.get();
}

void MainWindowTest::ClickButton(int id) {
    CXButton* button = m_dlg->Button(id);
    QVERIFY(button);
    QTest::mouseMove(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

void MainWindowTest::firstRunPlacement() {
    CMainDlg* dlg = Open();
    QVERIFY(dlg->isVisible());
    QCOMPARE(dlg->frameGeometry().size(), QSize(510, 285));
    const QRect screen = dlg->screen()->availableGeometry();
    QVERIFY(qAbs(dlg->frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(dlg->frameGeometry().center().y() - screen.center().y()) <= 1);
    QCOMPARE(g_settings.m_windowRect.right, 510);
    QCOMPARE(g_settings.m_windowRect.bottom, 285);
    QTRY_VERIFY(dlg->PanelView()->isVisible());
    QCOMPARE(dlg->windowTitle(), QString("Corvane Calculator 1.0"));
    QCOMPARE(dlg->ExpressionPane()->toPlainText(), QString());
    QCOMPARE(dlg->ResultsPane()->toPlainText(), QString("\n")); // one empty result line
    QCOMPARE(OuterMinimum(dlg), QSize(450, 245));
    // The four small buttons on the left.
    const int ids[] = {MainId::KeepOnTop, MainId::Settings, MainId::Help, MainId::About};
    int x = 1;
    for (int id : ids) {
        QCOMPARE(dlg->Button(id)->geometry(), QRect(x, 1, 20, 20));
        x += 21;
    }
    QCOMPARE(dlg->Button(MainId::Settings)->Image(), SharedImage::Settings);
    QCOMPARE(dlg->Button(MainId::KeepOnTop)->Image(), SharedImage::PinOut);
    QCOMPARE(dlg->Button(MainId::Panel)->Image(), SharedImage::ArrowLeft);
    QCOMPARE(dlg->Button(MainId::Panel)->toolTip(), QString("Hide buttons"));
    QTRY_COMPARE(QApplication::focusWidget(), dlg->ExpressionPane());
}

void MainWindowTest::windowIsPaintedBeforeTheKeypad() {
    // The window shows at once; the web view, slow to start, comes after its first paint.
    CMainDlg* dlg = Open();
    QVERIFY(dlg->isVisible());
    QVERIFY(!dlg->PanelView()->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(dlg));
    QTRY_VERIFY_WITH_TIMEOUT(dlg->IsPanelLoaded(), 20000);
    QVERIFY(dlg->PanelView()->isVisible());
    QCOMPARE(dlg->PanelView()->geometry(), QRect(dlg->width() - 178, 0, 178, dlg->height() - 1));
    // Until the keys are drawn, the view shows the colour of the keypad page itself.
    const QColor waiting = dlg->PanelView()->page()->backgroundColor();
    const QString page =
        RunJs(dlg->PanelView()->page(), "getComputedStyle(document.body).backgroundColor")
            .toString();
    QCOMPARE(
        page,
        QString("rgb(%1, %2, %3)").arg(waiting.red()).arg(waiting.green()).arg(waiting.blue()));
}

void MainWindowTest::typingShowsResultsOnTheirLines() {
    CMainDlg* dlg = Open();
    QPlainTextEdit* pane = dlg->ExpressionPane();
    QTest::keyClicks(pane, "1+1");
    QCOMPARE(dlg->ResultsPane()->toPlainText(), QString("2\n"));
    QTest::keyClick(pane, Qt::Key_Return);
    QTest::keyClicks(pane, "2*3");
    QCOMPARE(dlg->ResultsPane()->toPlainText(), QString("2\n6\n"));
    QTest::keyClick(pane, Qt::Key_Return);
    QTest::keyClicks(pane, "x=1/0");
    QTest::keyClick(pane, Qt::Key_Return);
    QTest::keyClicks(pane, "0xff,b");
    QCOMPARE(dlg->ResultsPane()->toPlainText(), QString("2\n6\nerr\n1111 1111\n"));
}

void MainWindowTest::deletingALineMovesResultsUp() {
    CMainDlg* dlg = Open();
    QPlainTextEdit* pane = dlg->ExpressionPane();
    QTest::keyClicks(pane, "1+1");
    QTest::keyClick(pane, Qt::Key_Return);
    QTest::keyClicks(pane, "2*3");
    QCOMPARE(dlg->ResultsPane()->toPlainText(), QString("2\n6\n"));
    // Select the first line with its line break and delete it.
    QTest::keyClick(pane, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(pane, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(pane, Qt::Key_Delete);
    QCOMPARE(pane->toPlainText(), QString("2*3"));
    QCOMPARE(dlg->ResultsPane()->toPlainText(), QString("6\n"));
}

void MainWindowTest::scrollingKeepsPanesLevel_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("scroll bar value") << "bar";
    QTest::newRow("mouse wheel") << "wheel";
    QTest::newRow("caret to the end") << "end";
    QTest::newRow("caret back to the top") << "home";
    QTest::newRow("page down") << "pagedown";
    QTest::newRow("mouse wheel over the results") << "resultswheel";
    QTest::newRow("caret past the results' edge") << "resultscaret";
}

void MainWindowTest::scrollingKeepsPanesLevel() {
    QFETCH(QString, how);
    CMainDlg* dlg = Open();
    QPlainTextEdit* pane = dlg->ExpressionPane();
    pane->setPlainText(NumberedLines(200));
    QCOMPARE(dlg->ResultsPane()->blockCount(), 201);
    QScrollBar* bar = pane->verticalScrollBar();
    QVERIFY(bar->maximum() > 100); // far more lines than fit

    if (how == "bar") {
        bar->setValue(57);
    } else if (how == "wheel") {
        const QPoint at(10, 10);
        QWheelEvent wheel(at, pane->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120 * 5),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(pane->viewport(), &wheel);
    } else if (how == "resultswheel") {
        QPlainTextEdit* results = dlg->ResultsPane();
        const QPoint at(10, 10);
        QWheelEvent wheel(at, results->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120 * 5),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(results->viewport(), &wheel);
        QCOMPARE(FirstVisibleLine(pane), 15); // the expressions scrolled, 3 lines a notch
    } else if (how == "resultscaret") {
        for (int i = 0; i < 60; ++i)
            QTest::keyClick(dlg->ResultsPane(), Qt::Key_Down);
    } else if (how == "end") {
        QTest::keyClick(pane, Qt::Key_End, Qt::ControlModifier);
    } else if (how == "home") {
        QTest::keyClick(pane, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(pane, Qt::Key_Home, Qt::ControlModifier);
    } else {
        QTest::keyClick(pane, Qt::Key_PageDown);
        QTest::keyClick(pane, Qt::Key_PageDown);
    }
    if (how != "home")
        QVERIFY(FirstVisibleLine(pane) > 0);
    QCOMPARE(FirstVisibleLine(dlg->ResultsPane()), FirstVisibleLine(pane));
    // The line beside each expression is its own result.
    const int first = FirstVisibleLine(pane);
    QCOMPARE(dlg->ResultsPane()->document()->findBlockByNumber(first).text(),
             QString::number((first + 1) * 2));
}

void MainWindowTest::recalculationKeepsPanesLevel() {
    CMainDlg* dlg = Open();
    QPlainTextEdit* pane = dlg->ExpressionPane();
    pane->setPlainText(NumberedLines(200));
    QTest::keyClick(pane, Qt::Key_End, Qt::ControlModifier);
    const int first = FirstVisibleLine(pane);
    QVERIFY(first > 0);
    // Typing at the end, and deleting lines at the top, recalculate; the panes stay level.
    QTest::keyClick(pane, Qt::Key_Return);
    QTest::keyClicks(pane, "7+7");
    QCOMPARE(FirstVisibleLine(dlg->ResultsPane()), FirstVisibleLine(pane));
    QTextCursor cursor(pane->document());
    cursor.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, 20);
    cursor.removeSelectedText();
    QCOMPARE(FirstVisibleLine(dlg->ResultsPane()), FirstVisibleLine(pane));
    QCOMPARE(dlg->ResultsPane()->document()->findBlockByNumber(0).text(), QString("42"));
}

void MainWindowTest::resultsPaneIsAReadOnlyEdit() {
    CMainDlg* dlg = Open();
    QPlainTextEdit* pane = dlg->ExpressionPane();
    QPlainTextEdit* results = dlg->ResultsPane();
    QTest::keyClicks(pane, "-1,u");
    QTest::keyClick(pane, Qt::Key_Return);
    QTest::keyClicks(pane, "6*7");
    const QString shown = results->toPlainText();
    QCOMPARE(shown, QString("18 446 744 073 709 551 615\n42\n"));

    QTest::keyClick(pane, Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), results);
    QTest::keyClick(results, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(results, Qt::Key_End);
    QCOMPARE(results->textCursor().position(), 26);
    QVERIFY(results->horizontalScrollBar()->value() > 0); // the end of the long result shows
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(results, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(results->textCursor().selectedText(), QString("615"));
    QTest::keyClick(results, Qt::Key_Home, Qt::ShiftModifier);
    QCOMPARE(results->textCursor().selectedText(), QString("18 446 744 073 709 551 615"));
    QCOMPARE(results->horizontalScrollBar()->value(), 0);
    QTest::keyClick(results, Qt::Key_Down);
    QCOMPARE(results->textCursor().blockNumber(), 1);

    // Nothing typed, deleted, cut or pasted changes the results.
    QApplication::clipboard()->setText("99");
    QTest::keyClicks(results, "5+");
    for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return})
        QTest::keyClick(results, key);
    QTest::keyClick(results, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(results, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(results->toPlainText(), shown);
    QCOMPARE(pane->toPlainText(), QString("-1,u\n6*7"));
}

void MainWindowTest::resultsShowTheirLeftEdgeOnceLeft() {
    CMainDlg* dlg = Open();
    QPlainTextEdit* pane = dlg->ExpressionPane();
    QPlainTextEdit* results = dlg->ResultsPane();
    QScrollBar* sideways = results->horizontalScrollBar();
    QTest::keyClicks(pane, "-1,u");
    QTest::keyClick(pane, Qt::Key_Return);
    QTest::keyClicks(pane, "2");
    auto scrollToTheLongResultsEnd = [&] {
        results->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), results);
        QTest::keyClick(results, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(results, Qt::Key_End);
        QVERIFY(sideways->value() > 0);
    };

    // A recalculation while the reader is in the pane keeps the place.
    scrollToTheLongResultsEnd();
    const int readingAt = sideways->value();
    pane->textCursor().insertText("3");
    QCOMPARE(results->toPlainText(), QString("18 446 744 073 709 551 615\n23\n"));
    QCOMPARE(sideways->value(), readingAt);

    // Leaving the pane shows its left edge again.
    pane->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), pane);
    QCOMPARE(sideways->value(), 0);

    // So does every recalculation while the pane has no focus, however it was scrolled.
    scrollToTheLongResultsEnd();
    pane->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), pane);
    sideways->setValue(sideways->maximum());
    QTest::keyClicks(pane, "+1");
    QCOMPARE(results->toPlainText(), QString("18 446 744 073 709 551 615\n24\n"));
    QCOMPARE(sideways->value(), 0);
}

void MainWindowTest::keypadKeysAreUndoneOneByOne() {
    CMainDlg* dlg = Open();
    QPlainTextEdit* pane = dlg->ExpressionPane();
    QTest::keyClicks(pane, "12");
    dlg->InsertKey("add");
    QTest::keyClicks(pane, "3");
    dlg->InsertKey("cos");
    QTest::keyClicks(pane, "0");
    QCOMPARE(pane->toPlainText(), QString("12+3cos(0)"));

    // Each key of the keypad is one step, as each run of typing is.
    const QStringList steps = {"12+3cos()", "12+3", "12+", "12", ""};
    for (const QString& step : steps) {
        QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(pane->toPlainText(), step);
    }
    QCOMPARE(dlg->ResultsPane()->toPlainText(), QString("\n"));

    // Ctrl+Y redoes, as Ctrl+Shift+Z does.
    QTest::keyClick(pane, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(pane->toPlainText(), QString("12"));
    QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(pane->toPlainText(), QString("12+"));
    QTest::keyClick(pane, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(pane->toPlainText(), QString("12+3"));
    QCOMPARE(dlg->ResultsPane()->toPlainText(), QString("15\n"));
}

// Undo right after the start would empty the pane, and closing would then save the empty
// sheet over the user's expressions.
void MainWindowTest::savedExpressionsAreNoUndoStep() {
    CalcSettings file;
    file.m_windowState = WindowState::Normal;
    file.m_windowRect = {90, 90, 600, 375};
    file.m_expressions = "a=6\r\na*7";
    QVERIFY(SaveSettings(m_scratch->Path(), file));
    CMainDlg* dlg = Open();
    QPlainTextEdit* pane = dlg->ExpressionPane();
    QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(pane->toPlainText(), QString("a=6\na*7"));
    QTest::keyClick(pane, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(pane, "+1");
    QCOMPARE(dlg->ResultsPane()->toPlainText(), QString("6\n43\n"));
    QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(pane->toPlainText(), QString("a=6\na*7"));
    QCOMPARE(dlg->ResultsPane()->toPlainText(), QString("6\n42\n"));
    dlg->close();
    CalcSettings saved;
    QVERIFY(LoadSettings(m_scratch->Path(), saved));
    QCOMPARE(QString::fromStdString(saved.m_expressions), QString("a=6\r\na*7"));
}

void MainWindowTest::resultsSelectionHidesWithoutTheFocus() {
    CMainDlg* dlg = Open();
    QPlainTextEdit* pane = dlg->ExpressionPane();
    QPlainTextEdit* results = dlg->ResultsPane();
    QTest::keyClicks(pane, "8888*8888");
    const QColor bright = results->palette().color(QPalette::Active, QPalette::Highlight);
    auto brightPixels = [&] {
        const QImage shown = results->viewport()->grab().toImage();
        int count = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                count += shown.pixelColor(x, y) == bright;
        return count;
    };
    results->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), results);
    QTest::keyClick(results, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(results, Qt::Key_End, Qt::ShiftModifier);
    QCOMPARE(results->textCursor().selectedText(), QString("78 996 544"));
    QVERIFY(brightPixels() > 100); // selected, in the pane that has the focus

    pane->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), pane);
    QCOMPARE(results->textCursor().selectedText(), QString("78 996 544")); // still selected
    QCOMPARE(brightPixels(), 0);
}

void MainWindowTest::resultToolTipsTellWhatThePaneCannotShow() {
    CMainDlg* dlg = Open();
    dlg->ExpressionPane()->setPlainText("-1,u\n5/0\n6*7\n\nx*y");
    QPlainTextEdit* results = dlg->ResultsPane();
    const QString shown = results->toPlainText();
    const auto tipOnLine = [results](int line) {
        QToolTip::hideText();
        if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
            return QString("an old tooltip stays");
        const QTextCursor start(results->document()->findBlockByNumber(line));
        const QPoint at = results->cursorRect(start).center() + QPoint(3, 0);
        QHelpEvent help(QEvent::ToolTip, at, results->viewport()->mapToGlobal(at));
        QApplication::sendEvent(results->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    QCOMPARE(tipOnLine(0), QString("18 446 744 073 709 551 615")); // cut off at the right
    // err: the plain words, then the engine's message as --why shows it
    QCOMPARE(tipOnLine(1), QString("At character 2, `/` divides by zero.\ndiv by 0 ''"));
    QCOMPARE(tipOnLine(2), QString()); // fits: no tooltip
    QCOMPARE(tipOnLine(3), QString());
    QCOMPARE(tipOnLine(4), QString("At character 1, `x` is not a function, a constant or a "
                                   "variable.\nunknown const 'x*y'"));
    // Below the last line there is nothing to explain.
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
    const QPoint below(20, results->viewport()->height() - 3);
    QHelpEvent help(QEvent::ToolTip, below, results->viewport()->mapToGlobal(below));
    QApplication::sendEvent(results->viewport(), &help);
    QVERIFY(!QToolTip::isVisible());
    QCOMPARE(results->toPlainText(), shown);
}

void MainWindowTest::hidingPanelNarrowsWindow() {
    CMainDlg* dlg = Open();
    const QSize before = dlg->size();
    const QRect exprBefore = dlg->ExpressionPane()->geometry();
    const QRect resultsBefore = dlg->ResultsPane()->geometry();
    const int cx = before.width();
    const int cy = before.height();
    QCOMPARE(exprBefore, QRect(0, 22, cx - 181 - 152, cy - 23));
    QCOMPARE(resultsBefore, QRect(cx - 181 - 150, 22, 150, cy - 23));
    QCOMPARE(dlg->PanelView()->geometry(), QRect(cx - 178, 0, 178, cy - 1));
    QCOMPARE(dlg->Button(MainId::Panel)->geometry(), QRect(cx - 181 - 21, 1, 20, 20));

    ClickButton(MainId::Panel);
    QTRY_COMPARE(dlg->size(), QSize(before.width() - 178, before.height()));
    QCOMPARE(g_settings.m_showButtons, 0);
    QVERIFY(!dlg->PanelView()->isVisible());
    QCOMPARE(dlg->ExpressionPane()->width(), exprBefore.width() + 3);
    QCOMPARE(dlg->ResultsPane()->x(), resultsBefore.x() + 3);
    QCOMPARE(dlg->ResultsPane()->width(), 150);
    QCOMPARE(dlg->Button(MainId::Panel)->Image(), SharedImage::ArrowRight);
    QCOMPARE(dlg->Button(MainId::Panel)->toolTip(), QString("Show buttons"));
    QCOMPARE(OuterMinimum(dlg), QSize(200, 80));
    QTRY_COMPARE(QApplication::focusWidget(), dlg->ExpressionPane()); // the focus keeper

    ClickButton(MainId::Panel);
    QTRY_COMPARE(dlg->size(), before);
    QVERIFY(dlg->PanelView()->isVisible());
    QCOMPARE(dlg->ExpressionPane()->geometry(), exprBefore);
    QCOMPARE(dlg->ResultsPane()->geometry(), resultsBefore);
    QCOMPARE(OuterMinimum(dlg), QSize(450, 245));
}

void MainWindowTest::escActions_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<bool>("minimised");
    QTest::addColumn<bool>("closed");
    QTest::newRow("0 minimises") << 0 << true << false;
    QTest::newRow("1 ends the program") << 1 << false << true;
    QTest::newRow("2 does nothing") << 2 << false << false;
    QTest::newRow("other does nothing") << 7 << false << false;
}

void MainWindowTest::escActions() {
    QFETCH(int, action);
    QFETCH(bool, minimised);
    QFETCH(bool, closed);
    CMainDlg* dlg = Open();
    g_settings.m_escAction = static_cast<EscAction>(action);
    QPlainTextEdit* pane = dlg->ExpressionPane();
    QTest::keyClicks(pane, "1+2");
    QSignalSpy finished(dlg, &QDialog::finished);

    // Esc typed in the expression pane, the results pane and the keypad view.
    QTest::keyClick(pane, Qt::Key_Escape);
    if (!closed) {
        QTest::keyClick(dlg->ResultsPane(), Qt::Key_Escape);
        QTRY_VERIFY(dlg->PanelView()->focusProxy());
        QTest::keyClick(dlg->PanelView()->focusProxy(), Qt::Key_Escape);
    }
    QCOMPARE(dlg->isMinimized(), minimised);
    QCOMPARE(finished.count(), closed ? 1 : 0);
    QCOMPARE(dlg->isVisible(), !closed);
    QCOMPARE(QFile::exists(QString::fromStdString(m_scratch->Path())), closed);
    QCOMPARE(pane->toPlainText(), QString("1+2")); // Esc never reaches the pane
    if (closed) {
        CalcSettings saved;
        QVERIFY(LoadSettings(m_scratch->Path(), saved));
        QCOMPARE(saved.m_expressions, std::string("1+2"));
    }
}

void MainWindowTest::focusKeeperReturnsFocus() {
    CMainDlg* dlg = Open();
    QTRY_COMPARE(QApplication::focusWidget(), dlg->ExpressionPane());
    dlg->Button(MainId::Help)->setFocus();
    QCOMPARE(QApplication::focusWidget(), dlg->Button(MainId::Help));
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), dlg->ExpressionPane(), 1500);
}

void MainWindowTest::focusKeeperLeavesResultsPane() {
    CMainDlg* dlg = Open();
    auto* keeper = dlg->findChild<QTimer*>("focusKeeper");
    QVERIFY(keeper);
    QCOMPARE(keeper->interval(), 500);
    dlg->ResultsPane()->setFocus();
    QSignalSpy ticks(keeper, &QTimer::timeout);
    QVERIFY(ticks.wait(2000));
    QCOMPARE(QApplication::focusWidget(), dlg->ResultsPane());
}

void MainWindowTest::focusKeeperLeavesModalDialog() {
    CMainDlg* dlg = Open();
    auto* keeper = dlg->findChild<QTimer*>("focusKeeper");
    QVERIFY(keeper);
    bool focusStayed = false;
    WhenModal<CSettingsDlg>([&](CSettingsDlg* settings) {
        QTRY_VERIFY(settings->isActiveWindow());
        QSignalSpy ticks(keeper, &QTimer::timeout);
        ticks.wait(2000);
        ticks.wait(2000);
        focusStayed =
            QApplication::focusWidget() && QApplication::focusWidget()->window() == settings;
        settings->reject();
    });
    ClickButton(MainId::Settings);
    QTRY_VERIFY(focusStayed);
}

void MainWindowTest::keepOnTopButton() {
    CMainDlg* dlg = Open();
    ClickButton(MainId::KeepOnTop);
    QTRY_COMPARE(g_settings.m_keepOnTop, 1);
    QVERIFY(dlg->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(dlg->isVisible());
    QCOMPARE(dlg->Button(MainId::KeepOnTop)->Image(), SharedImage::PinIn);
    QTRY_COMPARE(QApplication::focusWidget(), dlg->ExpressionPane());
    ClickButton(MainId::KeepOnTop);
    QTRY_COMPARE(g_settings.m_keepOnTop, 0);
    QVERIFY(!dlg->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(dlg->isVisible());
    QCOMPARE(dlg->Button(MainId::KeepOnTop)->Image(), SharedImage::PinOut);
    QCOMPARE(dlg->ExpressionPane()->geometry().width(), dlg->width() - 181 - 152);
}

void MainWindowTest::settingsOkRecalculatesAndSaves() {
    CMainDlg* dlg = Open();
    dlg->ExpressionPane()->setPlainText("1234567\n2/3");
    QCOMPARE(dlg->ResultsPane()->toPlainText(), QString("1 234 567\n0.6667\n"));
    bool done = false;
    WhenModal<CSettingsDlg>([&](CSettingsDlg* settings) {
        auto* group = settings->ControlAs<CXCheckBox>(SettingsId::Group);
        QCOMPARE(group->GetCheck(), 1);
        QTest::mouseClick(group, Qt::LeftButton, {}, QPoint(6, group->height() / 2));
        settings->DecimalsField()->selectAll();
        QTest::keyClicks(settings->DecimalsField(), "2");
        QTest::mouseClick(settings->Control(DialogId::Ok), Qt::LeftButton);
        done = true;
    });
    ClickButton(MainId::Settings);
    QTRY_VERIFY(done);
    QTRY_COMPARE(dlg->ResultsPane()->toPlainText(), QString("1234567\n0.67\n"));
    CalcSettings saved;
    QVERIFY(LoadSettings(m_scratch->Path(), saved));
    QCOMPARE(saved.m_groupDigits, 0);
    QCOMPARE(saved.m_decimals, 2);
    QCOMPARE(saved.m_expressions, std::string("1234567\r\n2/3"));
    QCOMPARE(saved.m_windowState, WindowState::Normal);
}

void MainWindowTest::settingsCancelChangesNothing() {
    CMainDlg* dlg = Open();
    dlg->ExpressionPane()->setPlainText("1234567");
    const CalcSettings before = g_settings;
    bool done = false;
    WhenModal<CSettingsDlg>([&](CSettingsDlg* settings) {
        for (int id : {SettingsId::Trailing, SettingsId::Group, SettingsId::Save}) {
            QWidget* box = settings->Control(id);
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        }
        QTest::mouseClick(settings->Control(SettingsId::EscMinimize), Qt::LeftButton, {},
                          QPoint(6, 5));
        settings->DecimalsField()->selectAll();
        QTest::keyClicks(settings->DecimalsField(), "9");
        QTest::mouseClick(settings->Control(DialogId::Cancel), Qt::LeftButton);
        done = true;
    });
    ClickButton(MainId::Settings);
    QTRY_VERIFY(done);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(g_settings.m_decimals, before.m_decimals);
    QCOMPARE(g_settings.m_deleteTrailingZeros, before.m_deleteTrailingZeros);
    QCOMPARE(g_settings.m_groupDigits, before.m_groupDigits);
    QCOMPARE(g_settings.m_saveExpressions, before.m_saveExpressions);
    QCOMPARE(g_settings.m_escAction, before.m_escAction);
    QCOMPARE(dlg->ResultsPane()->toPlainText(), QString("1 234 567\n"));
    QVERIFY(!QFile::exists(QString::fromStdString(m_scratch->Path())));
}

void MainWindowTest::closeWritesRealRectangle() {
    CMainDlg* dlg = Open();
    dlg->move(100, 80);
    dlg->resize(600, 300);
    QTRY_COMPARE(dlg->frameGeometry().topLeft(), QPoint(100, 80));
    const QRect outer = dlg->frameGeometry();
    dlg->ExpressionPane()->setPlainText("1+1\nx=2");
    QVERIFY(dlg->close());
    CalcSettings saved;
    QVERIFY(LoadSettings(m_scratch->Path(), saved));
    QCOMPARE(saved.m_windowRect.left, outer.x());
    QCOMPARE(saved.m_windowRect.top, outer.y());
    QCOMPARE(saved.m_windowRect.right, outer.x() + outer.width());
    QCOMPARE(saved.m_windowRect.bottom, outer.y() + outer.height());
    QCOMPARE(saved.m_windowState, WindowState::Normal);
    QCOMPARE(saved.m_expressions, std::string("1+1\r\nx=2"));
}

void MainWindowTest::closeWhileMinimisedKeepsRectangle() {
    CMainDlg* dlg = Open();
    dlg->showMinimized();
    QTRY_VERIFY(dlg->isMinimized());
    QVERIFY(dlg->close());
    CalcSettings saved;
    QVERIFY(LoadSettings(m_scratch->Path(), saved));
    QCOMPARE(saved.m_windowState, WindowState::Minimised);
    QCOMPARE(saved.m_windowRect.left, 0);
    QCOMPARE(saved.m_windowRect.top, 0);
    QCOMPARE(saved.m_windowRect.right, 510);
    QCOMPARE(saved.m_windowRect.bottom, 285);

    // The next start opens minimised.
    g_settings = CalcSettings();
    m_dlg = std::make_unique<CMainDlg>(m_scratch->Path());
    QTRY_VERIFY(m_dlg->isMinimized());
    // The keypad is built although the minimised window is not painted.
    QTRY_VERIFY_WITH_TIMEOUT(m_dlg->IsPanelLoaded(), 20000);
}

void MainWindowTest::savedPlacementAndExpressionsRestore() {
    CalcSettings file;
    file.m_windowRect = {90, 90, 790, 490}; // on the offscreen 800 x 600 screen
    file.m_windowState = WindowState::Normal;
    file.m_showButtons = 0;
    file.m_keepOnTop = 1;
    file.m_expressions = "a=6\r\na*7";
    QVERIFY(SaveSettings(m_scratch->Path(), file));
    CMainDlg* dlg = Open();
    QCOMPARE(dlg->frameGeometry(), QRect(90, 90, 700, 400));
    QCOMPARE(dlg->ExpressionPane()->toPlainText(), QString("a=6\na*7"));
    QCOMPARE(dlg->ResultsPane()->toPlainText(), QString("6\n42\n"));
    QTRY_VERIFY_WITH_TIMEOUT(dlg->IsPanelLoaded(), 20000);
    QVERIFY(!dlg->PanelView()->isVisible());
    QVERIFY(dlg->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(dlg->ExpressionPane()->width(), dlg->width() - 152);
    QCOMPARE(OuterMinimum(dlg), QSize(200, 80));
}

UI_TEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
