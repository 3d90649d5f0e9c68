#pragma once

#include "qt/controls/CXDialog.h"
#include "qt/controls/CXWebBrowser.h"
#include "qt/setup/MessageBox.h"
#include "setuplogic/SetupWizardFlow.h"

class CXButton;
class CXCheckBox;
class QLabel;

// The first page: the licence agreement in an HTML view.
class CAgreementPage : public CXDialog {
    Q_OBJECT
public:
    explicit CAgreementPage(QWidget* parent);

    CXWebBrowser& Browser() { return m_browser; }

protected:
    bool PreTranslateMessage(QObject* receiver, QKeyEvent* event) override;

private:
    CXWebBrowser m_browser;
};

// The second page: the install folder, "Change ..." and the two options. "Change ..." goes to
// the wizard's flow.
class COptionsPage : public CXDialog {
    Q_OBJECT
public:
    COptionsPage(QWidget* parent, CSetupWizardFlow& flow);

    CSetupWizardFlow& m_flow;
    CXCheckBox* m_pRunAfter = nullptr;    // 1008
    CXCheckBox* m_pDesktopIcon = nullptr; // 1005
    CXButton* m_pChange = nullptr;        // 1006
    QLabel* m_pFolderLine = nullptr;      // 1007

protected:
    void OnCommand(int id, int code) override;
    bool PreTranslateMessage(QObject* receiver, QKeyEvent* event) override;
};

// The setup wizard: the frame with the banner, the two pages and the OK and Cancel buttons.
// The first OK ("I Agree") shows the options page; the second ("Install") installs. What the
// wizard decides is the shared flow's; the frame shows its pages and reads its options.
class CSetupFrame : public CXDialog, private WizardView {
    Q_OBJECT
public:
    explicit CSetupFrame(QWidget* parent = nullptr);

    int Stage() const { return m_flow.Stage(); }
    int ExitCode() const { return m_flow.ExitCode(); }
    CSetupWizardFlow& Flow() { return m_flow; }
    CAgreementPage& AgreementPage() { return m_agreement; }
    COptionsPage& OptionsPage() { return m_options; }

protected:
    void OnOK() override;

private:
    void ShowOptionsPage(const std::string& okText) override;
    void SetFolderLine(const std::string& text, const std::string& tooltip) override;
    void SetOptions(bool desktopIcon, bool runAfter) override;
    bool DesktopIconChecked() const override;
    bool RunAfterChecked() const override;
    void EndWizard() override;

    CQtSetupPrompt m_prompt;
    CSetupWizardFlow m_flow;
    COptionsPage m_options;
    CAgreementPage m_agreement;
    QLabel* m_pBanner = nullptr; // 1023
    CXButton* m_pOk = nullptr;
    CXButton* m_pCancel = nullptr;
};
