#include "qt/setup/SetupWizard.h"

#include "qt/controls/CXButton.h"
#include "qt/controls/CXCheckBox.h"
#include "qt/controls/CXImageList.h"
#include "qt/setup/MessageBox.h"
#include "settings/TextTable.h"
#include "uilogic/WizardTemplates.h"

#include <QKeyEvent>
#include <QLabel>

namespace {

bool IsEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// Enter anywhere in a page, the licence view included, is the frame's OK; only a push button
// with the focus takes Enter for itself, as it takes Space.
bool ForwardEnterToFrame(QWidget* page, QObject* receiver, QKeyEvent* event) {
    auto* frame = qobject_cast<CXDialog*>(page->parentWidget());
    if (!IsEnter(event) || frame == nullptr || qobject_cast<CXButton*>(receiver) != nullptr)
        return false;
    QWidget* ok = frame->Control(DialogId::Ok);
    if (ok != nullptr && ok->isEnabled())
        frame->PostCommand(DialogId::Ok, 0);
    event->accept();
    return true;
}

} // namespace

CAgreementPage::CAgreementPage(QWidget* parent) : CXDialog(AgreementPageTemplate(), parent) {
    // No navigation hook: links in the agreement are followed inside the view.
    m_browser.CreateInParent(MapDialogRect(0, 0, 297, 142), true, SetupControl::AgreementView,
                             this);
    m_browser.WriteHtml(GetText(TextId::AgreementPage));
    // The licence stays as written: no "Back" or "Reload" in a context menu can blank it.
    m_browser.MakeFixed();
}

bool CAgreementPage::PreTranslateMessage(QObject* receiver, QKeyEvent* event) {
    return ForwardEnterToFrame(this, receiver, event) ||
           CXDialog::PreTranslateMessage(receiver, event);
}

COptionsPage::COptionsPage(QWidget* parent, CSetupWizardFlow& flow)
    : CXDialog(OptionsPageTemplate(), parent), m_flow(flow) {
    m_pRunAfter = ControlAs<CXCheckBox>(SetupControl::RunAfter);
    m_pDesktopIcon = ControlAs<CXCheckBox>(SetupControl::DesktopIcon);
    m_pChange = ControlAs<CXButton>(SetupControl::Change);
    m_pFolderLine = ControlAs<QLabel>(SetupControl::FolderLine);
}

void COptionsPage::OnCommand(int id, int code) {
    if (id == SetupControl::Change && code == 0) {
        m_flow.OnChangeFolder();
        // Back from the folder browser, Enter installs.
        if (auto* frame = qobject_cast<CXDialog*>(parentWidget());
            frame && frame->Control(DialogId::Ok))
            frame->Control(DialogId::Ok)->setFocus();
        return;
    }
    CXDialog::OnCommand(id, code);
}

bool COptionsPage::PreTranslateMessage(QObject* receiver, QKeyEvent* event) {
    return ForwardEnterToFrame(this, receiver, event) ||
           CXDialog::PreTranslateMessage(receiver, event);
}

CSetupFrame::CSetupFrame(QWidget* parent)
    : CXDialog(SetupFrameTemplate(), parent), m_prompt(this), m_flow(*this, m_prompt),
      m_options(this, m_flow), m_agreement(this) {
    m_pBanner = ControlAs<QLabel>(SetupControl::Banner);
    m_pOk = ControlAs<CXButton>(DialogId::Ok);
    m_pCancel = ControlAs<CXButton>(DialogId::Cancel);

    // Both pages sit below the banner: 445 x 233 pixels at 5, 120 with the classic 8-point
    // dialog font, given here in dialog units so that they grow with the frame's font.
    const QRect pageRect = MapDialogRect(3, 74, 297, 143);
    m_agreement.setGeometry(pageRect);
    m_options.setGeometry(pageRect);
    m_agreement.show();
    m_options.hide();

    m_pCancel->SetImage(SharedImages(), SharedImage::Cancel);
    m_pOk->SetImage(SharedImages(), SharedImage::Ok);
    // Cancel comes first in the tab order, but Enter means OK: the focus starts on OK.
    m_pOk->setFocus();
    m_flow.Start();
}

void CSetupFrame::OnOK() {
    m_flow.OnOK();
}

void CSetupFrame::ShowOptionsPage(const std::string& okText) {
    m_agreement.hide();
    m_options.show();
    m_pOk->SetText(QString::fromUtf8(okText.c_str()));
    m_pOk->setFocus(); // hiding the licence view would hand the focus on to Cancel
}

void CSetupFrame::SetFolderLine(const std::string& text, const std::string& tooltip) {
    m_options.m_pFolderLine->setText(QString::fromUtf8(text.c_str()));
    // A long folder is clipped in the line; the tooltip shows it whole.
    m_options.m_pFolderLine->setToolTip(QString::fromUtf8(tooltip.c_str()));
}

void CSetupFrame::SetOptions(bool desktopIcon, bool runAfter) {
    m_options.m_pDesktopIcon->SetCheck(desktopIcon ? 1 : 0);
    m_options.m_pRunAfter->SetCheck(runAfter ? 1 : 0);
}

bool CSetupFrame::DesktopIconChecked() const {
    return m_options.m_pDesktopIcon->GetCheck() != 0;
}

bool CSetupFrame::RunAfterChecked() const {
    return m_options.m_pRunAfter->GetCheck() != 0;
}

void CSetupFrame::EndWizard() {
    CXDialog::OnOK();
}
