#pragma once

#include "controls/CXDialog.h"
#include "controls/CXWebBrowser.h"

class CXButton;

// Shows the About page (text id 1) with the banner and the version above an OK button.
class CAboutDlg : public CXDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    CXWebBrowser* PageView() { return &m_browser; }

private:
    CXWebBrowser m_browser;
    CXButton* m_btnCancel = nullptr;
    CXButton* m_btnOk = nullptr;
};
