#include "win32/ui/HelpDlg.h"

#include "uilogic/DialogTemplates.h"
#include "uilogic/Layout.h"
#include "uilogic/Pages.h"
#include "win32/controls/CXImageList.h"
#include "win32/controls/Dpi.h"
#include "win32/ui/ProgramIcon.h"

CHelpDlg::CHelpDlg() : CXDialog(HelpDialogTemplate()) {}

CHelpDlg::~CHelpDlg() {
    if (m_hIcon)
        DestroyIcon(m_hIcon);
}

BOOL CHelpDlg::OnInitDialog() {
    CreateToolTip();
    m_btnOk.Attach(m_hWnd, DialogId::Ok);
    const int dpi = DpiOf(m_hWnd);
    m_btnOk.SetImage(SharedImages(dpi), SharedImage::Ok);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const ScreenBox page =
        InfoPageBox(MulDiv(client.right, kBaseDpi, dpi), MulDiv(client.bottom, kBaseDpi, dpi));
    m_browser.CreateInParent(RECT{0, 0, client.right, Scale(page.height, dpi)}, WS_VISIBLE,
                             kPageViewId, m_hWnd);
    m_browser.WriteHtml(BuildInfoPage(TextId::HelpPage));
    m_hIcon = LoadProgramIcon(SystemMetricForDpi(SM_CXICON, dpi));
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    return TRUE;
}

bool CHelpDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&) {
    if (message != WM_SIZE || m_btnOk.GetSafeHwnd() == nullptr)
        return false;
    const int dpi = DpiOf(m_hWnd);
    const int cx = MulDiv(LOWORD(lParam), kBaseDpi, dpi);
    const int cy = MulDiv(HIWORD(lParam), kBaseDpi, dpi);
    const ScreenBox page = InfoPageBox(cx, cy);
    m_browser.SetRect(RECT{0, 0, LOWORD(lParam), Scale(page.height, dpi)});
    const ScreenBox ok = HelpOkButtonBox(cx, cy);
    MoveWindow(m_btnOk.GetSafeHwnd(), Scale(ok.x, dpi), Scale(ok.y, dpi), Scale(ok.width, dpi),
               Scale(ok.height, dpi), TRUE);
    return false;
}
