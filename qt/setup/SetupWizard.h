#pragma once

#include "qt/controls/CXDialog.h"
#include "qt/controls/CXWebBrowser.h"
#include "qt/setup/Installer.h"

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

// The second page: the install folder, "Change ..." and the two options.
class COptionsPage : public CXDialog {
    Q_OBJECT
public:
    explicit COptionsPage(QWidget* parent);

    // Shows text 15 with the install folder in the folder line.
    void ShowFolderLine();

    CInstaller m_installer; // constructed with the page: the default folder is set at once
    CXCheckBox* m_pRunAfter = nullptr;    // 1008
    CXCheckBox* m_pDesktopIcon = nullptr; // 1005
    CXButton* m_pChange = nullptr;        // 1006
    QLabel* m_pFolderLine = nullptr;      // 1007

protected:
    void OnCommand(int id, int code) override;
    bool PreTranslateMessage(QObject* receiver, QKeyEvent* event) override;
};

// The setup wizard: the frame with the banner, the two pages and the OK and Cancel buttons.
// The first OK ("I Agree") shows the options page; the second ("Install") installs.
class CSetupFrame : public CXDialog {
    Q_OBJECT
public:
    explicit CSetupFrame(QWidget* parent = nullptr);

    int Stage() const { return m_nStage; }
    CAgreementPage& AgreementPage() { return m_agreement; }
    COptionsPage& OptionsPage() { return m_options; }

protected:
    void OnOK() override;

private:
    int m_nStage = 0; // 0 agreement, 1 options
    COptionsPage m_options;
    CAgreementPage m_agreement;
    QLabel* m_pBanner = nullptr; // 1023
    CXButton* m_pOk = nullptr;
    CXButton* m_pCancel = nullptr;
};
