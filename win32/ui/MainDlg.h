#pragma once

#include "settings/SettingsFile.h"
#include "uilogic/Geometry.h"
#include "win32/controls/CXButton.h"
#include "win32/controls/CXDialog.h"
#include "win32/controls/CXWebBrowser.h"

#include <string>

// The calculator's main window: the expression pane, the results pane level with it, five
// small buttons, and the keypad view along the right edge. Options, placement and expressions
// live in g_settings, read from and written to the settings file at settingsPath.
class CMainDlg : public CXDialog {
public:
    explicit CMainDlg(std::string settingsPath = GetSettingsPath());
    ~CMainDlg() override;

    void Recalculate();
    void SyncResultsScroll();
    void ApplyKeepOnTop();
    void ApplyPanelVisibility();
    void StoreWindowAndSave();
    void LoadSettingsIntoPane();
    void InsertKey(const std::string& key);
    void BuildButtonPanel();
    // The keypad's navigation hook: a key link is applied to the expression pane.
    static void OnPanelNavigate(BrowserHook* hook);

    HWND ExpressionPane() const { return Item(1000); }
    HWND ResultsPane() const { return Item(1002); }
    CXButton* Button(int id);
    CXWebBrowser& PanelView() { return m_browser; }
    const std::string& SettingsPath() const { return m_settingsPath; }
    // The window's outer rectangle as the settings keep it (screen pixels).
    ScreenBox OuterBox() const;

    bool PreTranslateMessage(MSG& msg) override;

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
    void OnPanelButton();
    void OnSettingsButton();
    void OnFocusTimer();
    void FocusExpressions();
    void SyncExpressionsScroll();
    void UpdateResultTip(POINT inResults);
    bool PaintMinimised();
    int Dpi() const { return m_dpi; }

    CXWebBrowser m_browser;
    CXButton m_btnAbout;
    CXButton m_btnPanel;
    CXButton m_btnSettings;
    CXButton m_btnHelp;
    CXButton m_btnKeepOnTop;
    HICON m_hIcon = nullptr;
    HICON m_hSmallIcon = nullptr;

    std::string m_settingsPath;
    std::wstring m_resultsShown; // the results pane's text as last written
    int m_resultTipLine = -1;    // the results line whose tooltip is shown
    int m_dpi = 96;
    bool m_bStored = false;         // placement and expressions already saved on closing
    bool m_bMovingResults = false;  // the program is scrolling or filling the results pane
    bool m_bRestorePending = false; // started minimised, not yet restored
};
