#include "ui/MainDlg.h"

#include "controls/CXButton.h"
#include "controls/CXImageList.h"
#include "controls/ResourceScheme.h"
#include "settings/TextTable.h"
#include "ui/AboutDlg.h"
#include "ui/DialogTemplates.h"
#include "ui/HelpDlg.h"
#include "ui/PaneEdit.h"
#include "ui/PaneText.h"
#include "ui/SettingsDlg.h"
#include "uilogic/KeyEdit.h"
#include "uilogic/Pages.h"
#include "worksheet/Worksheet.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QWindow>

namespace {

constexpr int kPanelWidth = 178;   // the keypad view along the right edge
constexpr int kPanelSpace = 181;   // taken from the panes while the keypad is shown
constexpr int kResultsWidth = 150; // the results pane's fixed width
constexpr int kPaneTop = 22;       // below the row of small buttons
constexpr int kSmallButton = 20;   // the small buttons are squares of this size
constexpr int kFirstWidth = 510;   // first run: the window's size, centred on the screen
constexpr int kFirstHeight = 285;
constexpr int kFocusPeriodMs = 500;
const QSize kMinWithPanel(450, 245);
const QSize kMinWithoutPanel(200, 80);

} // namespace

CMainDlg::CMainDlg(std::string settingsPath, QWidget* parent)
    : CXDialog(MainDialogTemplate(), parent), m_settingsPath(std::move(settingsPath)) {
    setWindowIcon(ProgramIcon());
    InitDialog();
}

CMainDlg::~CMainDlg() {
    m_focusTimer.stop();
    // Destroying the window without closing it still keeps the placement and expressions.
    if (!m_bStored && m_editExpressions)
        StoreWindowAndSave();
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

    m_browser.CreateInParent(QRect(0, 0, 100, 100), true, MainId::Browser, this);

    const CXImageList* images = SharedImages();
    m_btnSettings->SetImage(images, SharedImage::Settings);
    m_btnHelp->SetImage(images, SharedImage::Help);
    m_btnAbout->SetImage(images, SharedImage::About);

    AddToolTip(m_btnKeepOnTop, QStringLiteral("Keep on top"));
    AddToolTip(m_btnSettings, QStringLiteral("Settings"));
    AddToolTip(m_btnHelp, QStringLiteral("Help"));
    AddToolTip(m_btnAbout, QStringLiteral("About"));
    AddToolTip(m_btnPanel, QStringLiteral("Show buttons"));

    LoadSettingsIntoPane();

    CXButton* const leftButtons[] = {m_btnKeepOnTop, m_btnSettings, m_btnHelp, m_btnAbout};
    int x = 1;
    for (CXButton* button : leftButtons) {
        button->setGeometry(x, 1, kSmallButton, kSmallButton);
        x += kSmallButton + 1;
    }

    PlaceWindow();
    if (g_settings.m_windowState == 1)
        setWindowState(windowState() | Qt::WindowMinimized);

    BuildButtonPanel();
    ApplyKeepOnTop(); // also shows the window
    FitFrame();
    ApplyPanelVisibility();

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
    if (g_settings.m_windowState == -1) {
        const QRect screenRect = screen() ? screen()->availableGeometry() : QRect();
        m_wantedFrame = QRect(screenRect.x() + (screenRect.width() - kFirstWidth) / 2,
                              screenRect.y() + (screenRect.height() - kFirstHeight) / 2,
                              kFirstWidth, kFirstHeight);
        g_settings.m_windowRect = {0, 0, kFirstWidth, kFirstHeight};
    } else {
        const WindowRect& r = g_settings.m_windowRect;
        m_wantedFrame = QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    // Until the window is shown its frame is unknown: place the inside there for now.
    setGeometry(m_wantedFrame);
}

void CMainDlg::FitFrame() {
    // The stored rectangle is the outer one: once the frame is known, the inside shrinks by it.
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    if (!frame.isNull() && !isMinimized())
        setGeometry(m_wantedFrame.marginsRemoved(frame));
}

void CMainDlg::LoadSettingsIntoPane() {
    LoadSettings(m_settingsPath);
    SetExpressionText(ProgramToPaneText(g_settings.m_expressions));
    Recalculate();
}

void CMainDlg::SetExpressionText(const QString& paneText) {
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
        Recalculate();
}

void CMainDlg::Recalculate() {
    const std::string text = PaneToProgramText(m_editExpressions->toPlainText());
    std::string results;
    {
        Worksheet sheet; // variables live for one pass
        sheet.EvaluateText(text, results);
    }
    SetResultsText(ProgramToPaneText(results));
    SyncResultsScroll();
}

void CMainDlg::SyncResultsScroll() {
    // Without wrapping, a pane's first visible line is its vertical scroll value.
    const int a = m_editExpressions->verticalScrollBar()->value();
    QScrollBar* results = m_editResults->verticalScrollBar();
    const int b = results->value();
    results->setValue(b + (a - b));
}

void CMainDlg::ApplyKeepOnTop() {
    const bool onTop = g_settings.m_keepOnTop != 0;
    m_btnKeepOnTop->SetImage(SharedImages(), onTop ? SharedImage::PinIn : SharedImage::PinOut);
    if (onTop != windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        // Changed on the native window in place: setWindowFlags would hide the window and
        // lose its activation.
        const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowStaysOnTopHint, onTop);
        overrideWindowFlags(flags);
        if (QWindow* window = windowHandle())
            window->setFlags(flags);
    }
    show();
    raise();
    activateWindow();
}

void CMainDlg::ApplyPanelVisibility() {
    const bool shown = g_settings.m_showButtons != 0;
    m_btnPanel->SetImage(SharedImages(), shown ? SharedImage::ArrowLeft : SharedImage::ArrowRight);
    m_browser.setVisible(shown);
    AddToolTip(m_btnPanel, shown ? QStringLiteral("Hide buttons") : QStringLiteral("Show buttons"));
    setMinimumSize(shown ? kMinWithPanel : kMinWithoutPanel);
}

void CMainDlg::OnPanelButton() {
    const QSize before = size();
    g_settings.m_showButtons = g_settings.m_showButtons ? 0 : 1;
    ApplyPanelVisibility();
    // Only the right edge moves; the resize lays the panes out again.
    const int delta = g_settings.m_showButtons ? kPanelWidth : -kPanelWidth;
    resize(before.width() + delta, before.height());
}

void CMainDlg::resizeEvent(QResizeEvent* event) {
    CXDialog::resizeEvent(event);
    if (m_editExpressions)
        Layout(width(), height());
}

void CMainDlg::Layout(int cx, int cy) {
    const int w = g_settings.m_showButtons ? cx - kPanelSpace : cx;
    m_btnPanel->setGeometry(w - 21, 1, kSmallButton, kSmallButton);
    m_browser.setGeometry(cx - kPanelWidth, 0, kPanelWidth, cy - 1);
    m_editExpressions->setGeometry(0, kPaneTop, w - kResultsWidth - 2, cy - kPaneTop - 1);
    m_editResults->setGeometry(w - kResultsWidth, kPaneTop, kResultsWidth, cy - kPaneTop - 1);
    m_editResults->viewport()->update();
    SyncResultsScroll(); // a new height can change how far the panes may scroll
}

void CMainDlg::OnCommand(int id, int code) {
    if (code != 0) {
        CXDialog::OnCommand(id, code);
        return;
    }
    switch (id) {
    case MainId::KeepOnTop:
        g_settings.m_keepOnTop = g_settings.m_keepOnTop ? 0 : 1;
        ApplyKeepOnTop();
        FocusExpressions();
        break;
    case MainId::Settings:
        OnSettingsButton();
        break;
    case MainId::Help: {
        CHelpDlg help(this);
        help.exec();
        break;
    }
    case MainId::Panel:
        OnPanelButton();
        break;
    case MainId::About: {
        CAboutDlg about(this);
        about.exec();
        break;
    }
    default:
        CXDialog::OnCommand(id, code);
        break;
    }
}

void CMainDlg::OnSettingsButton() {
    CSettingsDlg settings(this);
    if (settings.exec() != QDialog::Accepted)
        return;
    Recalculate(); // the formatting options may have changed
    StoreWindowAndSave();
}

bool CMainDlg::PreTranslateMessage(QObject* receiver, QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape)
        return CXDialog::PreTranslateMessage(receiver, event);
    switch (g_settings.m_escAction) {
    case 0:
        showMinimized();
        break;
    case 1:
        done(0);
        break;
    default:
        break;
    }
    return true; // Esc never reaches the focused control
}

void CMainDlg::OnFocusTimer() {
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != this)
        return; // a dialog opened from here keeps its focus
    const QWidget* focus = QApplication::focusWidget();
    if (!focus || focus->window() != this)
        return; // another application (or none of our windows) is active
    if (focus == m_editExpressions || focus == m_editResults)
        return;
    FocusExpressions();
}

void CMainDlg::FocusExpressions() {
    activateWindow();
    m_editExpressions->setFocus(Qt::OtherFocusReason);
}

void CMainDlg::StoreWindowAndSave() {
    const QRect outer = frameGeometry();
    const bool minimised = isMinimized();
    g_settings.m_windowState = minimised ? 1 : 0;
    if (!minimised) {
        g_settings.m_windowRect = {outer.x(), outer.y(), outer.x() + outer.width(),
                                   outer.y() + outer.height()};
    }
    g_settings.m_expressions = PaneToProgramText(m_editExpressions->toPlainText());
    SaveSettings(m_settingsPath);
}

void CMainDlg::done(int result) {
    if (!m_bStored) {
        StoreWindowAndSave();
        m_bStored = true;
    }
    m_focusTimer.stop();
    CXDialog::done(result);
}

void CMainDlg::BuildButtonPanel() {
    m_browser.WriteHtml(BuildPanelPage());
    m_browser.m_navigateHook.pfnCallback = &CMainDlg::OnPanelNavigate;
    m_browser.m_navigateHook.pOwner = this;
    m_browser.m_navigateHook.pBrowser = &m_browser;
}

void CMainDlg::OnPanelNavigate(BrowserHook* hook) {
    std::string key;
    const std::string url = hook->pszUrl ? hook->pszUrl : "";
    if (!KeyNameFromAddress(url, GetText(TextId::KeyLinkPrefix), key)) {
        hook->bAllow = 1; // not a key: the view follows the link
        return;
    }
    static_cast<CMainDlg*>(hook->pOwner)->InsertKey(key);
}

void CMainDlg::InsertKey(const std::string& key) {
    const QTextCursor cursor = m_editExpressions->textCursor();
    const KeyEdit edit = ApplyKeyToPane(key, m_editExpressions->toPlainText().toStdU16String(),
                                        cursor.selectionStart(), cursor.selectionEnd());
    if (edit.textChanged) {
        SetExpressionText(QString::fromStdU16String(edit.text));
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
    Recalculate(); // a text set by the program raises no change of its own
    FocusExpressions();
}
