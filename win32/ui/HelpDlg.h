#pragma once

#include "win32/controls/CXButton.h"
#include "win32/controls/CXDialog.h"
#include "win32/controls/CXWebBrowser.h"

// The Help dialog: the Help page above an OK button, resizable. Esc does not close it.
class CHelpDlg : public CXDialog {
public:
    CHelpDlg();
    ~CHelpDlg() override;

    CXWebBrowser m_browser;
    CXButton m_btnOk;

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    HICON m_hIcon = nullptr;
};
