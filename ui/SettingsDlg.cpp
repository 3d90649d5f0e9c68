#include "ui/SettingsDlg.h"

#include "controls/CXButton.h"
#include "controls/CXCheckBox.h"
#include "controls/CXEdit.h"
#include "controls/CXImageList.h"
#include "controls/CXRadioGroup.h"
#include "settings/CalcSettings.h"
#include "ui/Decimals.h"
#include "ui/DialogTemplates.h"

#include <string>

CSettingsDlg::CSettingsDlg(QWidget* parent) : CXDialog(SettingsDialogTemplate(), parent) {
    m_radioEsc = ControlAs<CXRadioGroup>(SettingsId::EscMinimize);
    m_editDecimals = ControlAs<CXEdit>(SettingsId::Decimals);
    m_checkSave = ControlAs<CXCheckBox>(SettingsId::Save);
    m_checkGroup = ControlAs<CXCheckBox>(SettingsId::Group);
    m_checkTrailing = ControlAs<CXCheckBox>(SettingsId::Trailing);
    m_btnOk = ControlAs<CXButton>(IDOK);
    m_btnCancel = ControlAs<CXButton>(IDCANCEL);
    Q_ASSERT(m_radioEsc && m_editDecimals && m_checkSave && m_checkGroup && m_checkTrailing &&
             m_btnOk && m_btnCancel);

    m_btnOk->SetImage(SharedImages(), SharedImage::Ok);
    m_btnCancel->SetImage(SharedImages(), SharedImage::Cancel);
    m_editDecimals->SetText(std::to_string(g_settings.m_decimals));
    m_checkTrailing->SetCheck(g_settings.m_deleteTrailingZeros ? 1 : 0);
    m_checkGroup->SetCheck(g_settings.m_groupDigits ? 1 : 0);
    m_checkSave->SetCheck(g_settings.m_saveExpressions ? 1 : 0);
    m_radioEsc->SetValue(g_settings.m_escAction); // no button for a value outside 0..2
    m_editDecimals->setFocus(Qt::OtherFocusReason);
}

void CSettingsDlg::OnOK() {
    g_settings.m_decimals = ReadDecimals(m_editDecimals->GetText());
    g_settings.m_deleteTrailingZeros = m_checkTrailing->GetCheck();
    g_settings.m_groupDigits = m_checkGroup->GetCheck();
    g_settings.m_saveExpressions = m_checkSave->GetCheck();
    g_settings.m_escAction = m_radioEsc->GetValue(); // -1 when none is chosen
    CXDialog::OnOK();
}
