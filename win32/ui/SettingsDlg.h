#pragma once

#include "win32/controls/CXButton.h"
#include "win32/controls/CXCheckBox.h"
#include "win32/controls/CXDialog.h"
#include "win32/controls/CXEdit.h"
#include "win32/controls/CXRadioGroup.h"

// The Settings dialog: decimals, trailing zeros, digit grouping, saving the expressions and the
// Esc key. OK writes the choices into g_settings; Cancel leaves them as they were.
class CSettingsDlg : public CXDialog {
public:
    CSettingsDlg();

    CXRadioGroup m_radioEsc;
    CXEdit m_editDecimals;
    CXCheckBox m_checkSave;
    CXCheckBox m_checkGroup;
    CXCheckBox m_checkTrailing;
    CXButton m_btnOk;
    CXButton m_btnCancel;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};
