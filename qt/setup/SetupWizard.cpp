#include "qt/setup/SetupWizard.h"

#include "qt/controls/CXButton.h"
#include "qt/controls/CXCheckBox.h"
#include "qt/controls/CXImageList.h"
#include "qt/setup/MessageBox.h"
#include "qt/setup/TextFormat.h"
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
}

bool CAgreementPage::PreTranslateMessage(QObject* receiver, QKeyEvent* event) {
    return ForwardEnterToFrame(this, receiver, event) ||
           CXDialog::PreTranslateMessage(receiver, event);
}

COptionsPage::COptionsPage(QWidget* parent) : CXDialog(OptionsPageTemplate(), parent) {
    m_pRunAfter = ControlAs<CXCheckBox>(SetupControl::RunAfter);
    m_pDesktopIcon = ControlAs<CXCheckBox>(SetupControl::DesktopIcon);
    m_pChange = ControlAs<CXButton>(SetupControl::Change);
    m_pFolderLine = ControlAs<QLabel>(SetupControl::FolderLine);
    ShowFolderLine();
    // Both options are on by default.
    m_pRunAfter->SetCheck(1);
    m_pDesktopIcon->SetCheck(1);
}

void COptionsPage::ShowFolderLine() {
    const std::string line =
        FormatWithText(GetText(TextId::FolderCaptionFormat), m_installer.m_strFolder);
    m_pFolderLine->setText(QString::fromUtf8(line.c_str()));
}

void COptionsPage::OnCommand(int id, int code) {
    if (id == SetupControl::Change && code == 0) {
        if (m_installer.BrowseFolder(window()))
            ShowFolderLine();
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
    : CXDialog(SetupFrameTemplate(), parent), m_options(this), m_agreement(this) {
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
}

void CSetupFrame::OnOK() {
    if (m_nStage == 0) {
        // The first OK only moves on to the options; it installs nothing.
        m_agreement.hide();
        m_options.show();
        m_pOk->SetText(QStringLiteral("Install"));
        m_pOk->setFocus(); // hiding the licence view would hand the focus on to Cancel
        m_nStage = 1;
        return;
    }

    CInstaller& installer = m_options.m_installer;
    installer.m_bDesktopIcon = m_options.m_pDesktopIcon->GetCheck();
    if (!installer.Install()) {
        // The wizard stays on the options page; another folder may be tried.
        ShowMessage(installer.m_strError, MessageButtons::Ok, this);
        return;
    }
    if (m_options.m_pRunAfter->GetCheck())
        installer.RunInstalled(); // ends this process once the installed program runs
    else
        ShowMessage("Setup complete", MessageButtons::Ok, this);
    CXDialog::OnOK();
}
