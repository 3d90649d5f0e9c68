#include "qt/ui/MainDlg.h"

#include "qt/controls/CXButton.h"
#include "qt/controls/CXImageList.h"
#include "qt/controls/ResourceScheme.h"
#include "qt/controls/SkinColors.h"
#include "qt/ui/AboutDlg.h"
#include "qt/ui/Boxes.h"
#include "qt/ui/HelpDlg.h"
#include "qt/ui/PaneEdit.h"
#include "qt/ui/PaneText.h"
#include "qt/ui/SettingsDlg.h"
#include "uilogic/DialogTemplates.h"
#include "uilogic/KeyEdit.h"
#include "uilogic/Layout.h"
#include "uilogic/Pages.h"
#include "uilogic/Placement.h"
#include "uilogic/ResultsScroll.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolTip>
#include <QWindow>

namespace {

constexpr int kFocusPeriodMs = 500;
constexpr int kPanelLatestMs = 300; // the keypad view starts by then even if nothing is painted
constexpr int kFramePollMs = 10;    // how often to look whether the frame is known yet
// How long to look, after showing or restoring: a busy window manager may frame the window late.
constexpr int kFrameWaitMs = 15000;

} // namespace

CMainDlg::CMainDlg(std::string settingsPath, QWidget* parent)
    : CXDialog(MainDialogTemplate(), parent), m_controller(*this, std::move(settingsPath)) {
    setWindowIcon(ProgramIcon());
    InitDialog();
}

CMainDlg::~CMainDlg() {
    m_focusTimer.stop();
    // Destroying the window without closing it still keeps the placement and expressions.
    if (m_editExpressions)
        m_controller.OnClose();
}

CXButton* CMainDlg::Button(int id) const {
    return ControlAs<CXButton>(id);
}

void CMainDlg::AttachControls() {
    m_btnAbout = ControlAs<CXButton>(MainId::About);
    m_btnPanel = ControlAs<CXButton>(MainId::Panel);
    m_btnSettings = ControlAs<CXButton>(MainId::Settings);
    m_btnHelp = ControlAs<CXButton>(MainId::Help);
    m_btnKeepOnTop = ControlAs<CXButton>(MainId::KeepOnTop);
    m_editResults = ControlAs<QPlainTextEdit>(MainId::Results);
    m_editExpressions = ControlAs<QPlainTextEdit>(MainId::Expressions);
    Q_ASSERT(m_btnAbout && m_btnPanel && m_btnSettings && m_btnHelp && m_btnKeepOnTop &&
             m_editResults && m_editExpressions);

    m_editResults->setUndoRedoEnabled(false);
    connect(m_editExpressions, &QPlainTextEdit::textChanged, this, &CMainDlg::OnExpressionsChanged);
    // Scrolling by the scroll value (wheel) or by the pane itself (caret moves, which change
    // the value with its signals blocked); both reach SyncResultsScroll.
    connect(m_editExpressions->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &CMainDlg::SyncResultsScroll);
    connect(m_editExpressions, &QPlainTextEdit::updateRequest, this, [this](const QRect&, int dy) {
        if (dy != 0)
            SyncResultsScroll();
    });
    // The results pane scrolls by itself only when its caret moves past an edge: the
    // expressions follow it, and where they cannot, the results go back level with them.
    connect(m_editResults, &QPlainTextEdit::updateRequest, this, [this](const QRect&, int dy) {
        if (dy != 0)
            SyncExpressionsScroll();
    });
    connect(&m_browser, &CXWebBrowser::navigateComplete, this, [this](const QUrl& url) {
        // The first completion is the blank page; the next one is the keypad itself.
        if (!m_bPanelLoaded && url.scheme() != QLatin1String("about")) {
            m_bPanelLoaded = true;
            emit panelLoaded();
        }
    });
}

void CMainDlg::InitDialog() {
    hide();
    AttachControls();

    m_controller.Start(); // pictures, tooltips, the settings and the expressions

    // A click on a small button leaves the keyboard with the expression pane; Tab still
    // reaches the buttons.
    for (CXButton* button : {m_btnKeepOnTop, m_btnSettings, m_btnHelp, m_btnAbout, m_btnPanel})
        button->setFocusPolicy(Qt::TabFocus);

    m_frameTimer.setInterval(kFramePollMs);
    connect(&m_frameTimer, &QTimer::timeout, this, &CMainDlg::FitFrame);
    PlaceWindow();
    if (StartsMinimised(g_settings))
        setWindowState(windowState() | Qt::WindowMinimized);

    ApplyKeepOnTop(); // also shows the window
    FitFrame();
    ApplyPanelVisibility();
    // The keypad view starts once the window has been painted (the web engine takes a while
    // to start), or a little later when the window is not painted, as when minimised.
    QTimer::singleShot(kPanelLatestMs, this, &CMainDlg::StartPanel);

    FocusExpressions();
    QTextCursor caret = m_editExpressions->textCursor();
    caret.setPosition(0);
    m_editExpressions->setTextCursor(caret);
    m_editExpressions->ensureCursorVisible();

    m_focusTimer.setParent(this);
    m_focusTimer.setObjectName(QStringLiteral("focusKeeper"));
    m_focusTimer.setInterval(kFocusPeriodMs);
    connect(&m_focusTimer, &QTimer::timeout, this, &CMainDlg::OnFocusTimer);
    m_focusTimer.start();
}

void CMainDlg::PlaceWindow() {
    const QRect workArea = screen() ? screen()->availableGeometry() : QRect();
    std::vector<ScreenBox> workAreas;
    for (const QScreen* each : QGuiApplication::screens())
        workAreas.push_back(BoxOf(each->availableGeometry()));
    m_startPlacement =
        StartPlacement(OntoNearestScreen(StartOuterBox(g_settings, BoxOf(workArea)), workAreas));
    // Until the window manager has framed the window its frame is unknown. move() places the
    // frame's corner, so only the size is left to correct: the inside takes the whole outer
    // size for now, and FitFrame shrinks it once the frame is known.
    const ScreenBox& outer = m_startPlacement.WantedOuter();
    move(outer.x, outer.y);
    resize(outer.width, outer.height);
    m_frameWait.start();
}

FrameWidths CMainDlg::Frame() const {
    const QMargins m = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    return {m.left(), m.top(), m.right(), m.bottom()};
}

void CMainDlg::FitFrame() {
    const FrameWidths frame = Frame();
    // The minimum first: the inside of a window stored at its minimum size is smaller than the
    // minimum that held while the frame was unknown.
    if (frame.IsKnown() != m_bFrameKnown) {
        m_bFrameKnown = frame.IsKnown();
        if (m_bFrameKnown && !isMaximized())
            m_normalFrame = frame; // a maximised window may lose its borders
        ApplyMinimumSize();
    }
    ScreenBox inner;
    // Resizing a window that starts minimised would restore it: that waits for the restore.
    if (!isMinimized() && m_startPlacement.OnFrame(frame, inner))
        setGeometry(RectOf(inner));
    const bool looking = m_startPlacement.IsPending() && m_frameWait.elapsed() < kFrameWaitMs;
    if (looking && !m_frameTimer.isActive())
        m_frameTimer.start();
    else if (!looking)
        m_frameTimer.stop();
}

void CMainDlg::ApplyMinimumSize() {
    const BoxSize inner = MinimumInnerSize(g_settings.m_showButtons != 0, Frame());
    setMinimumSize(inner.width, inner.height);
}

void CMainDlg::LoadSettingsIntoPane() {
    m_controller.LoadSettingsIntoPane();
}

std::string CMainDlg::ExpressionText() const {
    return PaneToProgramText(m_editExpressions->toPlainText());
}

void CMainDlg::SetExpressionText(const std::string& text) {
    SetExpressionPaneText(ProgramToPaneText(text));
    // The saved sheet is where editing starts: undo must not take it back out of the pane.
    m_editExpressions->document()->clearUndoRedoStacks();
}

void CMainDlg::SetExpressionPaneText(const QString& paneText) {
    m_bSettingText = true;
    ReplaceChangedPart(m_editExpressions->document(), m_editExpressions->toPlainText(), paneText);
    m_bSettingText = false;
}

void CMainDlg::SetResultsText(const QString& paneText) {
    ReplaceChangedPart(m_editResults->document(), m_resultsShown, paneText);
    m_resultsShown = paneText;
}

void CMainDlg::OnExpressionsChanged() {
    if (!m_bSettingText)
        m_controller.OnExpressionsChanged();
}

void CMainDlg::Recalculate() {
    m_controller.Recalculate();
}

void CMainDlg::ShowResults(const std::string& text) {
    SetResultsText(ProgramToPaneText(text));
    SyncResultsScroll();
}

bool CMainDlg::ResultsHaveFocus() const {
    return m_editResults->hasFocus();
}

void CMainDlg::ShowResultsLeftEdge() {
    m_editResults->horizontalScrollBar()->setValue(0);
}

void CMainDlg::SyncResultsScroll() {
    // Without wrapping, a pane's first visible line is its vertical scroll value.
    const int a = m_editExpressions->verticalScrollBar()->value();
    QScrollBar* results = m_editResults->verticalScrollBar();
    const int b = results->value();
    results->setValue(b + (a - b));
}

void CMainDlg::SyncExpressionsScroll() {
    m_editExpressions->verticalScrollBar()->setValue(m_editResults->verticalScrollBar()->value());
    SyncResultsScroll();
}

void CMainDlg::ApplyKeepOnTop() {
    m_controller.ApplyKeepOnTop();
}

void CMainDlg::SetButtonPicture(int buttonId, int picture) {
    if (CXButton* button = Button(buttonId))
        button->SetImage(SharedImages(), picture);
}

void CMainDlg::SetToolTip(int buttonId, const std::string& text) {
    AddToolTip(Button(buttonId), QString::fromStdString(text));
}

void CMainDlg::SetKeepOnTop(bool onTop) {
    if (onTop != windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        // Changed on the native window in place: setWindowFlags would hide the window and
        // lose its activation.
        const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowStaysOnTopHint, onTop);
        overrideWindowFlags(flags);
        if (QWindow* window = windowHandle())
            window->setFlags(flags);
    }
    show();
    if (isMinimized())
        return; // raising or activating would restore a window started minimised
    raise();
    activateWindow();
}

void CMainDlg::ApplyPanelVisibility() {
    m_controller.ApplyKeypadVisibility();
}

void CMainDlg::ShowKeypad(bool shown) {
    if (m_bPanelStarted)
        m_browser.setVisible(shown);
    ApplyMinimumSize();
}

int CMainDlg::ClientWidth() const {
    return width();
}

void CMainDlg::SetClientWidth(int width) {
    // The resize lays the panes out again.
    resize(width, height());
}

void CMainDlg::changeEvent(QEvent* event) {
    CXDialog::changeEvent(event);
    // A window started minimised may learn its frame only when it is restored.
    if (event->type() == QEvent::WindowStateChange && !isMinimized() &&
        m_startPlacement.IsPending()) {
        m_frameWait.start();
        FitFrame();
    }
}

void CMainDlg::moveEvent(QMoveEvent* event) {
    CXDialog::moveEvent(event);
    // Framing moves the inside into the frame: often the first sign that the frame is known.
    if (m_startPlacement.IsPending())
        FitFrame();
}

void CMainDlg::resizeEvent(QResizeEvent* event) {
    CXDialog::resizeEvent(event);
    if (m_editExpressions)
        Layout(width(), height());
}

void CMainDlg::Layout(int cx, int cy) {
    const MainLayout layout = LayOutMainWindow(cx, cy, g_settings.m_showButtons != 0);
    CXButton* const smallButtons[] = {m_btnKeepOnTop, m_btnSettings, m_btnHelp, m_btnAbout};
    for (size_t i = 0; i < layout.smallButtons.size(); ++i)
        smallButtons[i]->setGeometry(RectOf(layout.smallButtons[i]));
    m_btnPanel->setGeometry(RectOf(layout.panelButton));
    m_browser.setGeometry(RectOf(layout.keypad));
    m_editExpressions->setGeometry(RectOf(layout.expressions));
    m_editResults->setGeometry(RectOf(layout.results));
    m_editResults->viewport()->update();
    SyncResultsScroll(); // a new height can change how far the panes may scroll
}

void CMainDlg::OnCommand(int id, int code) {
    if (code != 0 || !m_controller.OnButton(id))
        CXDialog::OnCommand(id, code);
}

bool CMainDlg::RunSettingsDialog() {
    CSettingsDlg settings(this);
    return settings.exec() == QDialog::Accepted;
}

void CMainDlg::RunHelpDialog() {
    CHelpDlg help(this);
    help.exec();
}

void CMainDlg::RunAboutDialog() {
    CAboutDlg about(this);
    about.exec();
}

void CMainDlg::Minimise() {
    showMinimized();
}

void CMainDlg::CloseWindow() {
    done(0);
}

bool CMainDlg::PreTranslateMessage(QObject* receiver, QKeyEvent* event) {
    // Ctrl+Y redoes in the expression pane, as Ctrl+Shift+Z does.
    if (receiver == m_editExpressions && event->key() == Qt::Key_Y &&
        event->modifiers() == Qt::ControlModifier) {
        m_editExpressions->redo();
        return true;
    }
    if (event->key() != Qt::Key_Escape)
        return CXDialog::PreTranslateMessage(receiver, event);
    m_controller.OnEscape();
    return true; // Esc never reaches the focused control
}

bool CMainDlg::eventFilter(QObject* watched, QEvent* event) {
    // The wheel over the results scrolls the expressions, and the results follow them. This
    // also keeps Ctrl+wheel from zooming the read-only results off their lines.
    if (event->type() == QEvent::Wheel && watched == m_editResults->viewport()) {
        QCoreApplication::sendEvent(m_editExpressions->viewport(), event);
        return true;
    }
    if (event->type() == QEvent::FocusOut && watched == m_editResults &&
        ShowsResultsLeftEdge(ResultsEvent::FocusLost, false))
        m_editResults->horizontalScrollBar()->setValue(0);
    if (event->type() == QEvent::ToolTip && watched == m_editResults->viewport()) {
        ShowResultToolTip(*static_cast<QHelpEvent*>(event));
        return true;
    }
    // A click into the keypad view (a key, or the space between keys) hands the keyboard
    // straight back to the expression pane, once the view has taken it.
    if (event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && m_browser.isAncestorOf(widget))
            QTimer::singleShot(0, this, &CMainDlg::FocusExpressions);
    }
    return CXDialog::eventFilter(watched, event);
}

void CMainDlg::ShowResultToolTip(const QHelpEvent& help) {
    const QTextBlock line = m_editResults->cursorForPosition(help.pos()).block();
    QTextCursor lineStart(line);
    QTextCursor lineEnd(line);
    lineEnd.movePosition(QTextCursor::EndOfBlock);
    const QRect start = m_editResults->cursorRect(lineStart);
    const QRect end = m_editResults->cursorRect(lineEnd);
    const QRect lineRect(start.topLeft(), QPoint(end.left(), start.bottom()));
    ResultLineHit hit;
    hit.onALine = line.isValid();
    if (hit.onALine) {
        hit.line = line.blockNumber();
        hit.shown = line.text().toStdString();
        hit.mouseY = help.pos().y();
        hit.lineTop = start.top();
        hit.lineBottom = start.bottom();
        hit.textLeft = start.left();
        hit.textWidth = end.left() - start.left();
        hit.visibleWidth = m_editResults->viewport()->width();
    }
    const std::string tip = m_controller.ResultToolTipAt(hit);
    // An empty text hides a tooltip shown for another line at once.
    QToolTip::showText(help.globalPos(), QString::fromStdString(tip), m_editResults->viewport(),
                       lineRect);
}

void CMainDlg::OnFocusTimer() {
    const QWidget* modal = QApplication::activeModalWidget();
    const QWidget* focus = QApplication::focusWidget();
    FocusSnapshot snapshot;
    snapshot.otherDialogOpen = modal && modal != this;
    snapshot.inThisWindow = focus && focus->window() == this;
    snapshot.onAPane = focus == m_editExpressions || focus == m_editResults;
    m_controller.OnFocusTimer(snapshot);
}

void CMainDlg::FocusExpressions() {
    if (!isMinimized())
        activateWindow();
    m_editExpressions->setFocus(Qt::OtherFocusReason);
}

void CMainDlg::StoreWindowAndSave() {
    m_controller.StoreWindowAndSave();
}

ScreenBox CMainDlg::NormalOuterBox() const {
    return ::NormalOuterBox(BoxOf(frameGeometry()), isMaximized(), BoxOf(normalGeometry()),
                            m_normalFrame);
}

bool CMainDlg::IsMinimised() const {
    return isMinimized();
}

void CMainDlg::done(int result) {
    m_controller.OnClose();
    m_focusTimer.stop();
    CXDialog::done(result);
}

void CMainDlg::paintEvent(QPaintEvent* event) {
    CXDialog::paintEvent(event);
    if (!m_bPanelStarted) // after this paint has reached the screen
        QTimer::singleShot(0, this, &CMainDlg::StartPanel);
}

void CMainDlg::StartPanel() {
    if (m_bPanelStarted)
        return;
    m_bPanelStarted = true;
    m_browser.CreateInParent(QRect(0, 0, 100, 100), false, MainId::Browser, this);
    m_browser.MakeFixed(); // the keypad cannot be navigated away, zoomed or dragged
    // Until its keys are drawn, the view shows the keypad page's own background colour.
    m_browser.page()->setBackgroundColor(SkinColor(Skin::DialogBackground));
    BuildButtonPanel();
    Layout(width(), height());
    ApplyPanelVisibility();
}

void CMainDlg::BuildButtonPanel() {
    m_browser.WriteHtml(BuildPanelPage());
    m_browser.m_navigateHook.pfnCallback = &CMainDlg::OnPanelNavigate;
    m_browser.m_navigateHook.pOwner = this;
    m_browser.m_navigateHook.pBrowser = &m_browser;
}

void CMainDlg::OnPanelNavigate(BrowserHook* hook) {
    const std::string url = hook->pszUrl ? hook->pszUrl : "";
    if (static_cast<CMainDlg*>(hook->pOwner)->m_controller.OnKeypadLink(url))
        hook->bAllow = 1; // not a key: the view follows the link
}

void CMainDlg::InsertKey(const std::string& key) {
    m_controller.InsertKey(key);
}

void CMainDlg::ApplyKey(const std::string& key) {
    const QTextCursor cursor = m_editExpressions->textCursor();
    const KeyEdit edit = ApplyKeyToPane(key, m_editExpressions->toPlainText().toStdU16String(),
                                        cursor.selectionStart(), cursor.selectionEnd());
    if (edit.textChanged) {
        SetExpressionPaneText(QString::fromStdU16String(edit.text));
        QTextCursor caret = m_editExpressions->textCursor();
        caret.setPosition(edit.caret);
        m_editExpressions->setTextCursor(caret);
        m_editExpressions->ensureCursorVisible();
    } else if (edit.move != CaretMove::None) {
        static const Qt::Key kArrowKeys[] = {Qt::Key_unknown, Qt::Key_Up, Qt::Key_Down,
                                             Qt::Key_Left, Qt::Key_Right};
        QKeyEvent press(QEvent::KeyPress, kArrowKeys[static_cast<int>(edit.move)], Qt::NoModifier);
        QCoreApplication::sendEvent(m_editExpressions, &press);
    }
}
