#include "qt/ui/HelpDlg.h"

#include "qt/controls/CXButton.h"
#include "qt/controls/CXImageList.h"
#include "qt/controls/ResourceScheme.h"
#include "qt/ui/Boxes.h"
#include "uilogic/DialogTemplates.h"
#include "uilogic/Layout.h"
#include "uilogic/Pages.h"

CHelpDlg::CHelpDlg(QWidget* parent) : CXDialog(HelpDialogTemplate(), parent) {
    m_btnOk = ControlAs<CXButton>(DialogId::Ok);
    Q_ASSERT(m_btnOk);
    m_btnOk->SetImage(SharedImages(), SharedImage::Ok);

    m_bViewCreated =
        m_browser.CreateInParent(RectOf(InfoPageBox(width(), height())), true, kPageViewId, this);
    m_browser.WriteHtml(BuildInfoPage(TextId::HelpPage));
    setWindowIcon(ProgramIcon());
}

void CHelpDlg::resizeEvent(QResizeEvent* event) {
    CXDialog::resizeEvent(event);
    if (!m_bViewCreated)
        return;
    const int cx = width();
    const int cy = height();
    m_browser.setGeometry(RectOf(InfoPageBox(cx, cy)));
    m_btnOk->setGeometry(RectOf(HelpOkButtonBox(cx, cy)));
}
