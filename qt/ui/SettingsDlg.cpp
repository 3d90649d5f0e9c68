#include "qt/ui/SettingsDlg.h"

#include "qt/controls/CXButton.h"
#include "qt/controls/CXCheckBox.h"
#include "qt/controls/CXEdit.h"
#include "qt/controls/CXImageList.h"
#include "qt/controls/CXRadioGroup.h"
#include "settings/CalcSettings.h"
#include "uilogic/DialogTemplates.h"
#include "uilogic/SettingsForm.h"

CSettingsDlg::CSettingsDlg(QWidget* parent) : CXDialog(SettingsDialogTemplate(), parent) {
    m_radioEsc = ControlAs<CXRadioGroup>(SettingsId::EscMinimize);
    m_editDecimals = ControlAs<CXEdit>(SettingsId::Decimals);
    m_checkSave = ControlAs<CXCheckBox>(SettingsId::Save);
    m_checkGroup = ControlAs<CXCheckBox>(SettingsId::Group);
    m_checkTrailing = ControlAs<CXCheckBox>(SettingsId::Trailing);
    m_btnOk = ControlAs<CXButton>(DialogId::Ok);
    m_btnCancel = ControlAs<CXButton>(DialogId::Cancel);
    Q_ASSERT(m_radioEsc && m_editDecimals && m_checkSave && m_checkGroup && m_checkTrailing &&
             m_btnOk && m_btnCancel);

    m_btnOk->SetImage(SharedImages(), SharedImage::Ok);
    m_btnCancel->SetImage(SharedImages(), SharedImage::Cancel);
    const SettingsForm form = FormFromSettings(g_settings);
    m_editDecimals->SetText(form.decimals);
    m_checkTrailing->SetCheck(form.deleteTrailingZeros);
    m_checkGroup->SetCheck(form.groupDigits);
    m_checkSave->SetCheck(form.saveExpressions);
    m_radioEsc->SetValue(form.escChoice);
    m_editDecimals->setFocus(Qt::OtherFocusReason);
}

void CSettingsDlg::OnOK() {
    SettingsForm form;
    form.decimals = m_editDecimals->GetText();
    form.deleteTrailingZeros = m_checkTrailing->GetCheck();
    form.groupDigits = m_checkGroup->GetCheck();
    form.saveExpressions = m_checkSave->GetCheck();
    form.escChoice = m_radioEsc->GetValue(); // -1 when none is chosen
    ApplyForm(form, g_settings);
    CXDialog::OnOK();
}
