#include "win32/ui/SettingsDlg.h"

#include "settings/CalcSettings.h"
#include "uilogic/DialogTemplates.h"
#include "uilogic/SettingsForm.h"
#include "win32/controls/CXImageList.h"
#include "win32/controls/Dpi.h"

CSettingsDlg::CSettingsDlg() : CXDialog(SettingsDialogTemplate()) {}

BOOL CSettingsDlg::OnInitDialog() {
    m_radioEsc.Attach(m_hWnd, SettingsId::EscMinimize);
    m_editDecimals.Attach(m_hWnd, SettingsId::Decimals);
    m_checkSave.Attach(m_hWnd, SettingsId::Save);
    m_checkGroup.Attach(m_hWnd, SettingsId::Group);
    m_checkTrailing.Attach(m_hWnd, SettingsId::Trailing);
    m_btnOk.Attach(m_hWnd, DialogId::Ok);
    m_btnCancel.Attach(m_hWnd, DialogId::Cancel);

    const CXImageList* images = SharedImages(DpiOf(m_hWnd));
    m_btnOk.SetImage(images, SharedImage::Ok);
    m_btnCancel.SetImage(images, SharedImage::Cancel);
    const SettingsForm form = FormFromSettings(g_settings);
    m_editDecimals.SetText(form.decimals);
    m_checkTrailing.SetCheck(form.deleteTrailingZeros);
    m_checkGroup.SetCheck(form.groupDigits);
    m_checkSave.SetCheck(form.saveExpressions);
    m_radioEsc.SetValue(form.escChoice);
    return TRUE; // the focus goes to the first tab stop, the decimals field
}

void CSettingsDlg::OnOK() {
    SettingsForm form;
    form.decimals = m_editDecimals.GetText();
    form.deleteTrailingZeros = m_checkTrailing.GetCheck();
    form.groupDigits = m_checkGroup.GetCheck();
    form.saveExpressions = m_checkSave.GetCheck();
    form.escChoice = m_radioEsc.GetValue(); // -1 when none is chosen
    ApplyForm(form, g_settings);
    CXDialog::OnOK();
}
