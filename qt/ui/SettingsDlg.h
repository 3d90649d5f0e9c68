#pragma once

#include "qt/controls/CXDialog.h"

class CXButton;
class CXCheckBox;
class CXEdit;
class CXRadioGroup;

// Edits the formatting options, the saving of expressions and the Esc action in g_settings.
// g_settings changes only when the dialog ends with OK.
class CSettingsDlg : public CXDialog {
    Q_OBJECT
public:
    explicit CSettingsDlg(QWidget* parent = nullptr);

    CXEdit* DecimalsField() const { return m_editDecimals; }
    CXRadioGroup* EscGroup() const { return m_radioEsc; }

protected:
    void OnOK() override;

private:
    CXRadioGroup* m_radioEsc = nullptr;
    CXEdit* m_editDecimals = nullptr;
    CXCheckBox* m_checkSave = nullptr;
    CXCheckBox* m_checkGroup = nullptr;
    CXCheckBox* m_checkTrailing = nullptr;
    CXButton* m_btnOk = nullptr;
    CXButton* m_btnCancel = nullptr;
};
