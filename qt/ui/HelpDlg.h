#pragma once

#include "qt/controls/CXDialog.h"
#include "qt/controls/CXWebBrowser.h"

class CXButton;

// Shows the Help page (text id 2) in a resizable window with an OK button.
class CHelpDlg : public CXDialog {
    Q_OBJECT
public:
    explicit CHelpDlg(QWidget* parent = nullptr);

    CXWebBrowser* PageView() { return &m_browser; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    CXWebBrowser m_browser;
    CXButton* m_btnOk = nullptr;
    bool m_bViewCreated = false;
};
