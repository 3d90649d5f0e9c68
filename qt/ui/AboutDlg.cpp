#include "qt/ui/AboutDlg.h"

#include "qt/controls/CXButton.h"
#include "qt/controls/CXImageList.h"
#include "qt/ui/Boxes.h"
#include "uilogic/DialogTemplates.h"
#include "uilogic/Layout.h"
#include "uilogic/Pages.h"

CAboutDlg::CAboutDlg(QWidget* parent) : CXDialog(AboutDialogTemplate(), parent) {
    m_btnCancel = ControlAs<CXButton>(DialogId::Cancel);
    m_btnOk = ControlAs<CXButton>(DialogId::Ok);
    Q_ASSERT(m_btnCancel && m_btnOk);

    m_browser.CreateInParent(RectOf(InfoPageBox(width(), height())), true, kPageViewId, this);

    m_btnOk->SetImage(SharedImages(), SharedImage::Ok);
    m_btnCancel->SetImage(SharedImages(), SharedImage::Cancel);
    m_btnCancel->hide(); // hidden but enabled: Esc still closes the dialog
    setWindowTitle(QStringLiteral("About"));
    m_btnOk->SetText(QStringLiteral("Ok"));
    m_btnOk->Enable(true);
    if (const QWidget* placeholder = Control(kAboutOkPlaceholder))
        m_btnOk->setGeometry(placeholder->geometry());
    m_okFromCorner = m_btnOk->pos() - QPoint(width(), height());

    m_browser.ClearDocument();
    m_browser.WriteHtml(BuildInfoPage(TextId::AboutPage));
}

void CAboutDlg::resizeEvent(QResizeEvent* event) {
    CXDialog::resizeEvent(event);
    m_browser.setGeometry(RectOf(InfoPageBox(width(), height())));
    if (m_btnOk)
        m_btnOk->move(QPoint(width(), height()) + m_okFromCorner);
}
