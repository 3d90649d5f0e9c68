#pragma once

#include "setuplogic/SetupWizardFlow.h"
#include "win32/controls/CXButton.h"
#include "win32/controls/CXCheckBox.h"
#include "win32/controls/CXDialog.h"
#include "win32/controls/CXWebBrowser.h"
#include "win32/setup/Win32SetupPrompt.h"

#include <functional>

// The first page: the licence agreement in the page view. Without an HTML engine (Wine) the
// view stays blank and the wizard stays usable.
class CAgreementPage : public CXDialog {
public:
    CAgreementPage();

    CXWebBrowser m_browser;

    bool PreTranslateMessage(MSG& msg) override;

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    RECT ViewRect() const;
};

// The second page: the install folder line, "Change ..." and the two options.
class COptionsPage : public CXDialog {
public:
    COptionsPage();

    CXCheckBox m_chkDesktopIcon; // 1005
    CXCheckBox m_chkRunAfter;    // 1008
    CXButton m_btnChange;        // 1006
    // "Change ..." was clicked.
    std::function<void()> m_onChange;

protected:
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code) override;
};

// The setup wizard: the banner, the two pages and the OK and Cancel buttons. The first OK
// ("I Agree") shows the options page, the second ("Install") installs. What the wizard decides
// is the shared flow's; the frame shows its pages and reads its options.
class CSetupFrame : public CXDialog, private WizardView {
public:
    // prompt: who answers the wizard's questions; the system's message boxes and folder picker
    // when none is given.
    explicit CSetupFrame(SetupPrompt* prompt = nullptr);

    CSetupWizardFlow& Flow() { return m_flow; }
    CAgreementPage& AgreementPage() { return m_agreement; }
    COptionsPage& OptionsPage() { return m_options; }
    HWND FolderLine() const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void ShowOptionsPage(const std::string& okText) override;
    void SetFolderLine(const std::string& text, const std::string& tooltip) override;
    void SetOptions(bool desktopIcon, bool runAfter) override;
    bool DesktopIconChecked() const override;
    bool RunAfterChecked() const override;
    void EndWizard() override;

    CWin32SetupPrompt m_systemPrompt;
    SetupPrompt& m_prompt;
    CSetupWizardFlow m_flow;
    COptionsPage m_options;
    CAgreementPage m_agreement;
    CXButton m_btnOk;
    CXButton m_btnCancel;
};
