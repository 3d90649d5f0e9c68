#include "ui/HelpDlg.h"

#include "controls/CXButton.h"
#include "controls/CXImageList.h"
#include "controls/ResourceScheme.h"
#include "ui/DialogTemplates.h"
#include "uilogic/Pages.h"

namespace {
constexpr int kButtonRoom = 40; // below the page, for the OK button
}

CHelpDlg::CHelpDlg(QWidget* parent) : CXDialog(HelpDialogTemplate(), parent) {
    m_btnOk = ControlAs<CXButton>(IDOK);
    Q_ASSERT(m_btnOk);
    m_btnOk->SetImage(SharedImages(), SharedImage::Ok);

    m_bViewCreated = m_browser.CreateInParent(QRect(0, 0, width(), height() - kButtonRoom), true,
                                              kPageViewId, this);
    m_browser.WriteHtml(BuildInfoPage(TextId::HelpPage));
    setWindowIcon(ProgramIcon());
}

void CHelpDlg::resizeEvent(QResizeEvent* event) {
    CXDialog::resizeEvent(event);
    if (!m_bViewCreated)
        return;
    const int cx = width();
    const int cy = height();
    m_browser.setGeometry(0, 0, cx, cy - kButtonRoom);
    m_btnOk->setGeometry(cx - 80, cy - 30, 70, 25);
}
