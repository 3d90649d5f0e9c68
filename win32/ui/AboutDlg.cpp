#include "win32/ui/AboutDlg.h"

#include "uilogic/DialogTemplates.h"
#include "uilogic/Pages.h"
#include "win32/controls/CXImageList.h"
#include "win32/controls/Dpi.h"

CAboutDlg::CAboutDlg() : CXDialog(AboutDialogTemplate()) {}

BOOL CAboutDlg::OnInitDialog() {
    CreateToolTip();
    RECT page{};
    GetClientRect(m_hWnd, &page);
    page.bottom -= Scale(40, DpiOf(m_hWnd)); // the OK button's strip
    m_browser.CreateInParent(page, WS_VISIBLE, kPageViewId, m_hWnd);
    m_btnCancel.Attach(m_hWnd, DialogId::Cancel);
    m_btnOk.Attach(m_hWnd, DialogId::Ok);
    const CXImageList* images = SharedImages(DpiOf(m_hWnd));
    m_btnOk.SetImage(images, SharedImage::Ok);
    m_btnCancel.SetImage(images, SharedImage::Cancel);
    ShowWindow(m_btnCancel.GetSafeHwnd(), SW_HIDE); // hidden but enabled: Esc still closes
    SetWindowTextW(m_hWnd, L"About");
    m_btnOk.SetText("Ok");
    m_btnOk.Enable(true);
    if (HWND placeholder = Item(kAboutOkPlaceholder)) {
        RECT r{};
        GetWindowRect(placeholder, &r);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        MoveWindow(m_btnOk.GetSafeHwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
    RECT client{};
    GetClientRect(m_hWnd, &client);
    RECT ok{};
    GetWindowRect(m_btnOk.GetSafeHwnd(), &ok);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&ok), 2);
    m_okFromCorner = {client.right - ok.left, client.bottom - ok.top};
    return TRUE;
}

bool CAboutDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&) {
    if (message != WM_SIZE || m_btnOk.GetSafeHwnd() == nullptr)
        return false;
    const int cx = LOWORD(lParam), cy = HIWORD(lParam);
    m_browser.SetRect(RECT{0, 0, cx, cy - Scale(40, DpiOf(m_hWnd))});
    SetWindowPos(m_btnOk.GetSafeHwnd(), nullptr, cx - m_okFromCorner.x, cy - m_okFromCorner.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return false;
}
