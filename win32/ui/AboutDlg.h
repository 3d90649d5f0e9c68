#pragma once

#include "win32/controls/CXButton.h"
#include "win32/controls/CXDialog.h"
#include "win32/controls/CXWebBrowser.h"

// The About dialog: the About page above an OK button. Esc closes it (its hidden Cancel
// button stays enabled).
class CAboutDlg : public CXDialog {
public:
    CAboutDlg();

    CXWebBrowser m_browser;
    CXButton m_btnCancel;
    CXButton m_btnOk;

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The OK button's top left from the inside's bottom right corner, so that it stays in the
    // corner when the dialog is made smaller to fit the screen.
    POINT m_okFromCorner{0, 0};
};
