#pragma once

#include "qt/controls/CXDialog.h"
#include "qt/controls/CXWebBrowser.h"

class CXButton;

// Shows the About page (text id 1) with the banner and the version above an OK button.
class CAboutDlg : public CXDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    CXWebBrowser* PageView() { return &m_browser; }

protected:
    // A dialog made smaller to fit the screen keeps its page above the OK button, and the
    // button its place at the bottom right.
    void resizeEvent(QResizeEvent* event) override;

private:
    QPoint m_okFromCorner; // the OK button's top left, from the dialog's bottom right
    CXWebBrowser m_browser;
    CXButton* m_btnCancel = nullptr;
    CXButton* m_btnOk = nullptr;
};
