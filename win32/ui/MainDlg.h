#pragma once

#include "settings/SettingsFile.h"
#include "uilogic/Geometry.h"
#include "uilogic/MainController.h"
#include "uilogic/MainView.h"
#include "win32/controls/CXButton.h"
#include "win32/controls/CXDialog.h"
#include "win32/controls/CXWebBrowser.h"

#include <string>

// The calculator's main window: the expression pane, the results pane level with it, five
// small buttons, and the keypad view along the right edge. Options, placement and expressions
// live in g_settings, read from and written to the settings file at settingsPath. The decisions
// are the shared MainController's; this window is its MainView.
class CMainDlg : public CXDialog, public MainView {
public:
    explicit CMainDlg(std::string settingsPath = GetSettingsPath());
    ~CMainDlg() override;

    MainController& Controller() { return m_controller; }
    void SyncResultsScroll();
    void BuildButtonPanel();
    // The keypad's navigation hook: a key link is applied to the expression pane.
    static void OnPanelNavigate(BrowserHook* hook);

    HWND ExpressionPane() const { return Item(1000); }
    HWND ResultsPane() const { return Item(1002); }
    CXButton* Button(int id);
    CXWebBrowser& PanelView() { return m_browser; }
    const std::string& SettingsPath() const { return m_controller.SettingsPath(); }

    bool PreTranslateMessage(MSG& msg) override;

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

protected:
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void AttachControls();
    void ApplyDpi();
    void PlaceWindow();
    void Layout(int cx, int cy);
    void AlignResultLines();
    void OnFocusTimer();
    void SyncExpressionsScroll();
    void UpdateResultTip(POINT inResults);
    void ForgetResultTip();
    bool PaintMinimised();

    CXWebBrowser m_browser;
    CXButton m_btnAbout;
    CXButton m_btnPanel;
    CXButton m_btnSettings;
    CXButton m_btnHelp;
    CXButton m_btnKeepOnTop;
    HICON m_hIcon = nullptr;
    HICON m_hSmallIcon = nullptr;

    MainController m_controller;
    std::wstring m_resultsShown; // the results pane's text as last written
    int m_resultTipLine = -1;    // the results line whose tooltip is shown
    int m_dpi = 96;
    bool m_bSettingText = false;    // the program is changing the expression pane
    bool m_bMovingResults = false;  // the program is scrolling or filling the results pane
    bool m_bRestorePending = false; // started minimised, not yet restored
    ScreenBox m_startBox{};         // the outer rectangle the window started on
};
