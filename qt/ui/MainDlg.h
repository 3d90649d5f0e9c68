#pragma once

#include "qt/controls/CXDialog.h"
#include "qt/controls/CXWebBrowser.h"
#include "settings/CalcSettings.h"
#include "settings/SettingsFile.h"
#include "uilogic/MainController.h"
#include "uilogic/MainView.h"
#include "uilogic/Placement.h"

#include <QElapsedTimer>
#include <QTimer>

#include <string>

class CXButton;
class QHelpEvent;
class QPlainTextEdit;

// The calculator's main window: the expression pane, the results pane level with it, five small
// buttons and the keypad page along the right edge. Options, placement and expressions live in
// g_settings and are read from and written to the settings file at settingsPath. The decisions
// are the shared MainController's; this window is its MainView.
class CMainDlg : public CXDialog, public MainView {
    Q_OBJECT
public:
    explicit CMainDlg(std::string settingsPath = GetSettingsPath(), QWidget* parent = nullptr);
    ~CMainDlg() override;

    void Recalculate();
    void SyncResultsScroll();
    void SyncExpressionsScroll();
    void ApplyKeepOnTop();
    void ApplyPanelVisibility();
    void StoreWindowAndSave();
    void LoadSettingsIntoPane();
    void BuildButtonPanel();
    void InsertKey(const std::string& key);

    QPlainTextEdit* ExpressionPane() const { return m_editExpressions; }
    QPlainTextEdit* ResultsPane() const { return m_editResults; }
    CXWebBrowser* PanelView() { return &m_browser; }
    CXButton* Button(int id) const;
    bool IsPanelLoaded() const { return m_bPanelLoaded; }
    const std::string& SettingsPath() const { return m_controller.SettingsPath(); }

    // The keypad navigation hook (also reachable through PanelView()->m_navigateHook).
    static void OnPanelNavigate(BrowserHook* hook);

    // MainView: what the controller asks of the window.
    std::string ExpressionText() const override;
    void SetExpressionText(const std::string& text) override;
    void ShowResults(const std::string& text) override;
    bool ResultsHaveFocus() const override;
    void ShowResultsLeftEdge() override;
    void SetButtonPicture(int buttonId, int picture) override;
    void SetToolTip(int buttonId, const std::string& text) override;
    void SetKeepOnTop(bool onTop) override;
    void ShowKeypad(bool shown) override;
    int ClientWidth() const override;
    void SetClientWidth(int width) override;
    bool RunSettingsDialog() override;
    void RunHelpDialog() override;
    void RunAboutDialog() override;
    void ApplyKey(const std::string& key) override;
    void FocusExpressions() override;
    void Minimise() override;
    void CloseWindow() override;
    ScreenBox NormalOuterBox() const override;
    bool IsMinimised() const override;

signals:
    // The keypad page has loaded into the panel view.
    void panelLoaded();

protected:
    void OnCommand(int id, int code) override;
    bool PreTranslateMessage(QObject* receiver, QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void done(int result) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void InitDialog();
    void StartPanel(); // creates the keypad view and writes its page
    void AttachControls();
    void PlaceWindow();
    void FitFrame();
    FrameWidths Frame() const;
    void ApplyMinimumSize();
    void Layout(int cx, int cy);
    void OnFocusTimer();
    void OnExpressionsChanged();
    void SetExpressionPaneText(const QString& paneText);
    void SetResultsText(const QString& paneText);
    void ShowResultToolTip(const QHelpEvent& help);

    CXWebBrowser m_browser;
    CXButton* m_btnAbout = nullptr;
    CXButton* m_btnPanel = nullptr;
    CXButton* m_btnSettings = nullptr;
    CXButton* m_btnHelp = nullptr;
    CXButton* m_btnKeepOnTop = nullptr;
    QPlainTextEdit* m_editResults = nullptr;
    QPlainTextEdit* m_editExpressions = nullptr;

    MainController m_controller;
    QTimer m_focusTimer;
    StartPlacement m_startPlacement{ScreenBox()}; // the outer rectangle placed at start-up
    QTimer m_frameTimer;       // looks for the frame until the window manager reports it
    QElapsedTimer m_frameWait; // since the window was shown or restored
    bool m_bFrameKnown = false;
    FrameWidths m_normalFrame;    // the frame as it was first known, the window not maximised
    QString m_resultsShown;       // the results pane's text as last written
    bool m_bSettingText = false;  // the program is changing the expression pane
    bool m_bPanelStarted = false; // the keypad view exists
    bool m_bPanelLoaded = false;
};
